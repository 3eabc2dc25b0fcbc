// Reading order: rows top to bottom, left to right within a row. A control belongs to a row
// when its middle lies between the top and bottom of the row's first (topmost) control.
#pragma once

#include <vector>

#include "Catalogue.h"
#include "Control.h"

struct Placed {
    Control* control;
    Rect place;
};

// Where a control counts for the order: where it stands, except that a slider counts over its
// whole travel, so the sliders of one page read as one row whatever their values.
Rect ReadingPlace(const Control& control, const SkinGeometry& skin);

std::vector<Control*> ReadingOrder(std::vector<Placed> controls);
