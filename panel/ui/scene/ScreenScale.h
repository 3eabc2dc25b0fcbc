// The window is laid out in design pixels (96 per inch) and shown at the screen's density: edges
// go to the screen rounded up, screen pixels come back rounded down, so a screen pixel lies in a
// control's painted rectangle exactly when its design point hits that control.
#pragma once

#include <cstdint>
#include <vector>

#include "Control.h"

constexpr int kDesignDpi = 96;

class ScreenScale {
public:
    ScreenScale() = default;
    // Densities outside 24..960 dots per inch are taken as the design's.
    explicit ScreenScale(int dpi);

    int Dpi() const { return dpi_; }
    bool IsIdentity() const { return dpi_ == kDesignDpi; }

    // A design edge or coordinate on the screen, ceil(x * dpi / 96).
    int ToScreen(int design) const;
    // The design point a screen pixel shows, floor(x * 96 / dpi).
    int ToDesign(int screen) const;
    Point ToDesign(Point screen) const { return {ToDesign(screen.x), ToDesign(screen.y)}; }
    Size ToScreen(Size design) const { return {ToScreen(design.width), ToScreen(design.height)}; }
    // Edges mapped: what a design rectangle covers on the screen.
    Rect ToScreen(const Rect& design) const;

private:
    int dpi_ = kDesignDpi;
};

// A region description (32-byte header, then left, top, right, bottom rectangles) with its
// bounding box and rectangles on the screen. Data too short for what it announces is scaled as
// far as it goes.
std::vector<uint8_t> ScaleRegionData(const std::vector<uint8_t>& data, const ScreenScale& scale);
