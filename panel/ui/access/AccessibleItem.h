// One thing a screen reader finds in the main window: what it is, what it is called in the chosen
// language, its value and states as shown, where it is and what its default action does.
#pragma once

#include <cstdint>
#include <string>

#include "Control.h"

enum class AccessRole : uint8_t {
    PageTab,
    PushButton,
    CheckButton,  // a toggle: checked while on
    RadioButton,  // one of a group: checked while selected
    Slider,
    ProgressBar,
    StaticText,
    Graphic,  // a speaker: moved, not pressed
};

enum AccessState : uint32_t {
    kAccessChecked = 1u << 0,
    kAccessPressed = 1u << 1,
    kAccessUnavailable = 1u << 2,
    kAccessFocusable = 1u << 3,
    kAccessFocused = 1u << 4,
    kAccessSelected = 1u << 5,  // the page tab of the page on show
};

struct AccessibleItem {
    const Control* control = nullptr;  // what the host focuses or activates
    AccessRole role = AccessRole::StaticText;
    std::u16string name;
    std::u16string value;
    uint32_t states = 0;
    Rect bounds;                   // window client coordinates, design pixels
    std::u16string defaultAction;  // empty: none
};
