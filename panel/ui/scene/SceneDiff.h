// Where each control paints in the window, and which areas of the window a change touches, so
// the window host repaints those only.
#pragma once

#include <string>
#include <vector>

#include "Scene.h"

// The overlap of two rectangles; zero-sized when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);
inline bool IsEmpty(const Rect& r) {
    return r.width <= 0 || r.height <= 0;
}
inline bool SameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// True when the control puts something on screen: it is shown and, on a page, the page is the
// one on show. Panels and the notebook paint nothing themselves.
bool IsPainted(const Scene& scene, const Control& control);
// The control's bounds in window client coordinates.
Rect WindowBounds(const Scene& scene, const Control& control);
// The area of the window the control can paint: its bounds cut to its page panel and the
// notebook.
Rect PaintedRect(const Scene& scene, const Control& control);

// What one control's pixels depend on.
struct PaintedState {
    bool painted = false;
    Rect area;    // PaintedRect when painted
    Rect bounds;  // window bounds: a stretched picture or aligned text moves with them
    std::u16string picture;
    bool stretch = false;
    bool transparent = false;
    std::u16string caption;
    int32_t colour = 0;
    LabelFont font;
    Align align = Align::Left;
};

// The control's painted state into s, reusing its strings' storage.
void StateInto(const Scene& scene, const Control& control, PaintedState& s);
// Same state, same pixels.
bool SamePaint(const PaintedState& a, const PaintedState& b);

struct SceneSnapshot {
    int page = 0;
    bool notebookShown = false;
    Rect notebook;
    std::vector<PaintedState> controls;  // in creation order
};

SceneSnapshot Take(const Scene& scene);
// The same into an earlier snapshot, reusing its storage.
void Update(SceneSnapshot& snapshot, const Scene& scene);

// The window rectangles to repaint after the scene changed from the snapshot: the old and the
// new area of every control whose painted state changed, and the notebook when the page
// switched. Rectangles that together form one exact rectangle are merged and ones inside another
// are dropped, so no rectangle covers more than the changes do.
std::vector<Rect> Changed(const SceneSnapshot& before, const Scene& now);
