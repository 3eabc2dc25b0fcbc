// The muted mark drawn over the product's icon: a red disc with a white rim and a white slash in
// the bottom-right corner, so it reads on a light or a dark icon and on either side of the
// taskbar. Drawn for the icon's own size, smoothed at its edges; the pixels outside the mark
// stay as they were.
#pragma once

#include <cstdint>
#include <vector>

#include "Control.h"

// Pixels 0xAARRGGBB, straight (not premultiplied) alpha, rows top down.
struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The square the mark covers in an icon of that size (bottom-right corner).
Rect MutedBadgeRect(int width, int height);

// Draws the mark over image; an empty image stays as it is.
void DrawMutedBadge(ArgbImage& image);

// The mark's colours, for those who check it.
constexpr uint32_t kMutedBadgeRed = 0xFFD32F2F;
constexpr uint32_t kMutedBadgeWhite = 0xFFFFFFFF;
