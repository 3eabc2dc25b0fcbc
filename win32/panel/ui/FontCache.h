// One GDI font per face, size and weight, shared by text measuring and painting so labels are
// drawn exactly as they were measured.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "Control.h"
#include "GdiHandles.h"

// The screen's density (LOGPIXELSY), 96 when it cannot be read.
int ScreenPixelsPerInch();

// The character height in pixels: points at the screen's density, else the design height. The
// window itself is not scaled; the density factor applied to the point sizes keeps the labels
// near their design size on denser screens.
int FontPixelHeight(const LabelFont& font);

class FontCache {
public:
    // Owned by the cache; a face the system lacks gets the system's substitute.
    HFONT Get(const LabelFont& font);

private:
    using Key = std::tuple<std::u16string, int, bool>;
    std::map<Key, UniqueFont> fonts_;
};
