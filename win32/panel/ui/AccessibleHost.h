// What the window's accessible object asks of the window that owns it: the description now, the
// way between design and screen pixels, and the focus and default action of a control.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "AccessibleItem.h"

class IAccessibleHost {
public:
    virtual ~IAccessibleHost() = default;
    virtual std::vector<AccessibleItem> Describe() = 0;
    // The window's own object's name.
    virtual std::u16string WindowName() = 0;
    // The window's own object's role: a client area, unless the window is something else to the
    // user (a notice is an alert).
    virtual long WindowRole() { return ROLE_SYSTEM_CLIENT; }
    // A rectangle of the window's client area in design pixels, on the screen.
    virtual RECT ToScreen(const Rect& design) = 0;
    // A screen point in the window's client area, in design pixels.
    virtual Point ToDesign(POINT screen) = 0;
    // False when the control cannot take the focus now.
    virtual bool Focus(const Control& control) = 0;
    // What a click on it does, run after the caller's message returns: never inside it.
    virtual void DoDefaultAction(const Control& control) = 0;
};
