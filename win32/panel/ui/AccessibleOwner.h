// The accessible object of one window for its life: made on the first WM_GETOBJECT, cut off at
// WM_DESTROY, and what a screen reader must hear after each message, found by comparing the
// description with the one told before (NotifyWinEvent).
#pragma once

#include <windows.h>

#include <vector>

#include "AccessibleHost.h"
#include "AccessibleWindow.h"
#include "ScreenScale.h"

class AccessibleOwner {
public:
    AccessibleOwner(HWND window, IAccessibleHost& host);
    ~AccessibleOwner();
    AccessibleOwner(const AccessibleOwner&) = delete;
    AccessibleOwner& operator=(const AccessibleOwner&) = delete;

    // WM_GETOBJECT: the client area's object into *result; false for any other object (the
    // window procedure leaves those to DefWindowProc).
    bool Answer(WPARAM flags, LPARAM objectId, LRESULT* result);
    // WM_DESTROY: readers holding the object get errors from now on.
    void Disconnect();
    // After a message: focus, value, state and name changes and a new page announced.
    void Announce();

    // The level meter's value is told at most this often.
    static constexpr DWORD kMeterEventMs = 250;

private:
    // Some program hooks the events Announce tells.
    static bool Listened();

    HWND window_;
    IAccessibleHost& host_;
    AccessibleWindow* object_ = nullptr;  // one reference, released by Disconnect
    bool connected_ = true;
    std::vector<AccessibleItem> told_;
    DWORD meterToldAt_ = 0;
    bool meterTold_ = false;
};

// A rectangle of the window's client area in design pixels, on the screen at the window's
// density; and back, a screen point in design pixels of the client area.
RECT DesignToScreen(HWND window, const ScreenScale& scale, const Rect& design);
Point ScreenToDesign(HWND window, const ScreenScale& scale, POINT screen);
