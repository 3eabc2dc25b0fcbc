#include "PanelAccessibility.h"

#include "Describe.h"

PanelAccessibility::PanelAccessibility(HWND window, PanelWindow& panel, KeyboardFocus& focus,
                                       const WindowScaler& scaler, const Presentation& presentation)
    : window_(window), panel_(panel), focus_(focus), scaler_(scaler), presentation_(presentation) {}

std::vector<AccessibleItem> PanelAccessibility::Describe() {
    const AccessView view{panel_.GetScene(), panel_.Context().state, panel_.Context().skin,
                          presentation_.AccessNames()};
    return DescribeWindow(view, focus_.Order(), focus_.Focused());
}

std::u16string PanelAccessibility::WindowName() {
    return presentation_.Title();
}

RECT PanelAccessibility::ToScreen(const Rect& design) {
    return DesignToScreen(window_, scaler_.Scale(), design);
}

Point PanelAccessibility::ToDesign(POINT screen) {
    return ScreenToDesign(window_, scaler_.Scale(), screen);
}

bool PanelAccessibility::Focus(const Control& control) {
    std::vector<Control>& controls = panel_.GetScene().Controls();
    const size_t index = static_cast<size_t>(&control - controls.data());
    if (index >= controls.size() || !focus_.SetFocus(&controls[index])) {
        return false;
    }
    // The window takes the keyboard with it, as a click would give it.
    if (GetFocus() != window_) {
        SetFocus(window_);
    }
    // The indicator and the announcement follow as after any message; none runs here, inside
    // the reader's call.
    PostMessageW(window_, kActionMessage, kNoAction, 0);
    return true;
}

void PanelAccessibility::DoDefaultAction(const Control& control) {
    const std::vector<Control>& controls = panel_.GetScene().Controls();
    PostMessageW(window_, kActionMessage, static_cast<WPARAM>(&control - controls.data()), 0);
}

void PanelAccessibility::RunAction(WPARAM controlIndex) {
    std::vector<Control>& controls = panel_.GetScene().Controls();
    if (controlIndex < controls.size()) {
        focus_.Activate(controls[controlIndex]);
    }
}
