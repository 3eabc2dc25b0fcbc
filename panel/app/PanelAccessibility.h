// The main window's side of its accessible object: the description made from the panel, its
// keyboard focus and the chosen language; places through the window's density; a default action
// posted to the window, so that it never runs inside the message a reader's call came in.
#pragma once

#include <windows.h>

#include "AccessibleOwner.h"
#include "KeyboardFocus.h"
#include "PanelWindow.h"
#include "Presentation.h"
#include "WindowScaler.h"

class PanelAccessibility final : public IAccessibleHost {
public:
    // Posted for a default action; wParam: the control's index in the scene, or kNoAction for
    // the window's refresh alone.
    static constexpr UINT kActionMessage = WM_APP + 19;
    static constexpr WPARAM kNoAction = ~WPARAM{0};

    PanelAccessibility(HWND window, PanelWindow& panel, KeyboardFocus& focus,
                       const WindowScaler& scaler, const Presentation& presentation);

    // The window procedure forwards WM_GETOBJECT, WM_DESTROY and kActionMessage, and tells it
    // after every message that may have changed the window.
    bool Answer(WPARAM flags, LPARAM objectId, LRESULT* result) {
        return owner_.Answer(flags, objectId, result);
    }
    void Disconnect() { owner_.Disconnect(); }
    void Announce() { owner_.Announce(); }
    void RunAction(WPARAM controlIndex);

    // IAccessibleHost
    std::vector<AccessibleItem> Describe() override;
    std::u16string WindowName() override;
    RECT ToScreen(const Rect& design) override;
    Point ToDesign(POINT screen) override;
    bool Focus(const Control& control) override;
    void DoDefaultAction(const Control& control) override;

private:
    HWND window_;
    PanelWindow& panel_;
    KeyboardFocus& focus_;
    const WindowScaler& scaler_;
    const Presentation& presentation_;
    AccessibleOwner owner_{window_, *this};
};
