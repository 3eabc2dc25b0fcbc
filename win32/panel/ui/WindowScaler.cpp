#include "WindowScaler.h"

#include "WindowDpi.h"

void WindowScaler::Attach(HWND window) {
    window_ = window;
    scale_ = ScreenScale(WindowDpi(window));
}

void WindowScaler::SetSize(Size design) {
    size_ = design;
    ApplySize();
}

bool WindowScaler::SetRegion(const std::vector<uint8_t>& design) {
    region_ = design;
    return ApplyRegion();
}

void WindowScaler::DpiChanged(int dpi, const RECT* suggested) {
    scale_ = ScreenScale(dpi);
    // The suggested place keeps the window on the monitor it moved to; the size is the panel's.
    if (suggested) {
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplySize();
    if (!region_.empty()) {
        ApplyRegion();
    }
}

void WindowScaler::ApplySize() {
    const Size size = scale_.ToScreen(size_);
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, FALSE);
}

bool WindowScaler::ApplyRegion() {
    const std::vector<uint8_t> data = ScaleRegionData(region_, scale_);
    HRGN region = data.empty() ? nullptr
                               : ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                                 reinterpret_cast<const RGNDATA*>(data.data()));
    // The window owns the region once it is set.
    if (!region || !SetWindowRgn(window_, region, TRUE)) {
        if (region) {
            DeleteObject(region);
        }
        SetWindowRgn(window_, nullptr, TRUE);
        return false;
    }
    return true;
}
