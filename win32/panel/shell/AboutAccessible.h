// The About dialog's text for screen readers: its client area answers WM_GETOBJECT with one
// static text, the label it paints (the dialog draws its text itself, so no window holds it).
#pragma once

#include <windows.h>

#include "AboutView.h"
#include "AccessibleOwner.h"

class AboutAccessible final : public IAccessibleHost {
public:
    AboutAccessible(HWND window, const AboutLayout& layout);

    bool Answer(WPARAM flags, LPARAM objectId, LRESULT* result) {
        return owner_.Answer(flags, objectId, result);
    }
    void Disconnect() { owner_.Disconnect(); }

    // IAccessibleHost
    std::vector<AccessibleItem> Describe() override;
    std::u16string WindowName() override;
    RECT ToScreen(const Rect& client) override;
    Point ToDesign(POINT screen) override;
    bool Focus(const Control&) override { return false; }
    void DoDefaultAction(const Control&) override {}

private:
    HWND window_;
    AboutLayout layout_;
    Control label_;  // stands for the painted label
    AccessibleOwner owner_{window_, *this};
};
