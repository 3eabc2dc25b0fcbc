// The main window as a screen reader sees it: the controls that take the focus, in the focus
// order, then what only informs (the level meter, the connection state, the current preset).
#pragma once

#include <vector>

#include "AccessibleItem.h"
#include "AccessibleNames.h"
#include "PanelState.h"
#include "Scene.h"
#include "ViewGeometry.h"

struct AccessView {
    const Scene& scene;
    const PanelState& state;
    const SkinGeometry& skin;
    const AccessibleNames& names;
};

// focusOrder: the controls that take the focus now (the keyboard's order); focused: the one
// that has it, or null.
std::vector<AccessibleItem> DescribeWindow(const AccessView& view,
                                           const std::vector<Control*>& focusOrder,
                                           const Control* focused);

// One control as an item, whether or not it takes the focus.
AccessibleItem DescribeControl(const AccessView& view, const Control& control);
