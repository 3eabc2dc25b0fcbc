#include "MutedBadge.h"

#include <algorithm>
#include <cmath>

namespace {

// Each pixel is sampled on a 4 x 4 grid: smooth edges without a drawing library.
constexpr int kGrid = 4;

struct Shape {
    double cx, cy;    // the disc's centre
    double rim;       // outer radius (white)
    double inner;     // radius of the red disc
    double slash;     // half the slash's length
    double halfLine;  // half its thickness
};

Shape ShapeFor(const Rect& badge) {
    Shape s{};
    const double d = badge.width;
    s.cx = badge.left + d / 2.0;
    s.cy = badge.top + d / 2.0;
    s.rim = d / 2.0;
    const double rimWidth = std::max(1.0, d / 9.0);
    s.inner = s.rim - rimWidth;
    s.slash = s.inner * 0.72;
    s.halfLine = std::max(0.75, d / 12.0);
    return s;
}

// The colour at a point of the mark, or 0 (transparent) outside it.
uint32_t ColourAt(const Shape& s, double x, double y) {
    const double dx = x - s.cx;
    const double dy = y - s.cy;
    const double r2 = dx * dx + dy * dy;
    if (r2 > s.rim * s.rim) {
        return 0;
    }
    if (r2 > s.inner * s.inner) {
        return kMutedBadgeWhite;
    }
    // The slash runs from top left to bottom right: distance from that diagonal, and along it.
    const double across = std::fabs(dx - dy) / std::sqrt(2.0);
    const double along = std::fabs(dx + dy) / std::sqrt(2.0);
    if (across <= s.halfLine && along <= s.slash) {
        return kMutedBadgeWhite;
    }
    return kMutedBadgeRed;
}

uint32_t Channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

}  // namespace

Rect MutedBadgeRect(int width, int height) {
    const int size = std::min(width, height);
    // 9 of 16 pixels; never so small that the slash cannot be seen.
    const int d = std::min(size, std::max(7, (size * 9 + 8) / 16));
    return {width - d, height - d, d, d};
}

void DrawMutedBadge(ArgbImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        return;
    }
    const Rect badge = MutedBadgeRect(image.width, image.height);
    const Shape shape = ShapeFor(badge);
    for (int y = badge.top; y < badge.top + badge.height; ++y) {
        for (int x = badge.left; x < badge.left + badge.width; ++x) {
            // The mark's own colour at this pixel, premultiplied by its coverage.
            double a = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    const uint32_t c =
                        ColourAt(shape, x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid);
                    if (c) {
                        a += 1;
                        r += Channel(c, 16);
                        g += Channel(c, 8);
                        b += Channel(c, 0);
                    }
                }
            }
            if (a == 0) {
                continue;  // outside the disc: the icon's pixel stays exactly
            }
            constexpr double n = kGrid * kGrid;
            a /= n;
            r /= n;
            g /= n;
            b /= n;
            uint32_t& pixel = image.pixels[static_cast<size_t>(y * image.width + x)];
            // The mark over the icon's pixel ("over", straight alpha out).
            const double baseA = Channel(pixel, 24) / 255.0;
            const double keep = baseA * (1.0 - a);
            const double outA = a + keep;
            const auto mix = [&](double mark, int shift) {
                const double v = (mark + Channel(pixel, shift) * keep) / outA;
                return static_cast<uint32_t>(std::lround(std::min(255.0, v)));
            };
            const uint32_t alpha = static_cast<uint32_t>(std::lround(outA * 255.0));
            pixel = alpha << 24 | mix(r, 16) << 16 | mix(g, 8) << 8 | mix(b, 0);
        }
    }
}
