// Small picture files made by the tests, and a memory DC to paint into and read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "GdiHandles.h"

// Colours as the tests write and read them: 0x00RRGGBB.
using Pixel = uint32_t;

// A 24-bit BMP file; pixel(x, y) with y = 0 the top row.
std::string Bmp24(int width, int height, const std::function<Pixel(int, int)>& pixel);

// A 32-bpp DIB selected into a memory DC.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, Pixel fill);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_.get(); }
    Pixel At(int x, int y) const;

private:
    int width_;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    const uint32_t* bits_ = nullptr;
};
