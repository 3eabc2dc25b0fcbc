// A 32-bpp memory bitmap to paint in, kept between paints while it is large enough and until
// released.
#pragma once

#include <windows.h>

#include "Control.h"
#include "GdiHandles.h"

class OffscreenBuffer {
public:
    OffscreenBuffer() = default;
    ~OffscreenBuffer();
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    // The buffer's DC, at least this size, compatible with the target; null on failure.
    HDC Prepare(HDC target, Size size);
    HDC Dc() const { return dc_.get(); }
    void Release();

private:
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;
    Size size_;
};
