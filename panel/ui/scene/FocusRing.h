// The focus indicator around the focused control: two lines just outside its bounds, drawn on
// top of everything. In design pixels; the window host repaints the ring's rectangle where it
// was and where it is when the focus moves.
#pragma once

#include "Scene.h"

// Each of the two lines' width.
constexpr int kFocusRingLine = 2;

// The rectangle grown by d on every side.
Rect Inflate(const Rect& r, int d);

// The rectangle the ring covers in window coordinates; empty when there is no control or it is
// not painted now (hidden, or on a page not on show).
Rect FocusRingRect(const Scene& scene, const Control* control);
