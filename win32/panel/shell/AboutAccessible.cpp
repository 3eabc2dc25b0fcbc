#include "AboutAccessible.h"

#include "WideText.h"

AboutAccessible::AboutAccessible(HWND window, const AboutLayout& layout)
    : window_(window), layout_(layout) {
    label_.name = "AboutLabel";
}

std::vector<AccessibleItem> AboutAccessible::Describe() {
    if (!layout_.labelVisible || layout_.text.empty()) {
        return {};
    }
    AccessibleItem item;
    item.control = &label_;
    item.role = AccessRole::StaticText;
    item.name = layout_.text;
    const RECT& r = layout_.label;
    item.bounds = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return {item};
}

std::u16string AboutAccessible::WindowName() {
    wchar_t caption[128] = {};
    GetWindowTextW(window_, caption, 128);
    return U16(caption);
}

// The layout is in the dialog's own pixels already.
RECT AboutAccessible::ToScreen(const Rect& client) {
    return DesignToScreen(window_, ScreenScale(), client);
}

Point AboutAccessible::ToDesign(POINT screen) {
    return ScreenToDesign(window_, ScreenScale(), screen);
}
