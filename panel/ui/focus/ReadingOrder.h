// Reading order: rows top to bottom, left to right within a row. A control belongs to a row
// when its middle lies between the top and bottom of the row's first (topmost) control.
#pragma once

#include <vector>

#include "Catalogue.h"
#include "Control.h"

struct Placed {
    const Control* control;
    Rect place;
};

// Where a control counts for the order: where it stands, except for what moves. A slider counts
// over its whole travel, so the sliders of one page read as one row whatever their values; a
// speaker icon at its design place, so dragging and rotating never reorder the icons.
Rect ReadingPlace(const Control& control, const SkinGeometry& skin);

std::vector<const Control*> ReadingOrder(std::vector<Placed> controls);
