// The main window's size and shape at its screen's density. The panel gives them in design
// pixels; they are kept, so a change of density (WM_DPICHANGED) shows them again at the new one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ScreenScale.h"

class WindowScaler {
public:
    // Takes the density of the screen the window is on.
    void Attach(HWND window);
    const ScreenScale& Scale() const { return scale_; }

    void SetSize(Size design);
    // False, and no shape, when the region cannot be made.
    bool SetRegion(const std::vector<uint8_t>& design);
    // The density changed: the window goes to the suggested place (when given) and takes its
    // size and shape at the new density.
    void DpiChanged(int dpi, const RECT* suggested);

private:
    void ApplySize();
    bool ApplyRegion();

    HWND window_ = nullptr;
    ScreenScale scale_;
    Size size_;
    std::vector<uint8_t> region_;
};
