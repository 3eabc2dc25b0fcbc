// The installer windows' fonts; the owners of GDI objects and icons are in GdiHandles.h.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "GdiHandles.h"

// A font by name and height in pixels (negative: character height, as the framework gives it).
inline UniqueFont MakeFont(const wchar_t* name, int height) {
    return UniqueFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, name));
}

// Design pixels (96 dots per inch) on this screen: the program declares itself DPI-aware, so
// Windows does not stretch its windows and it scales its layout itself.
inline int Scaled(int designPixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return MulDiv(designPixels, dpi > 0 ? dpi : 96, 96);
}
