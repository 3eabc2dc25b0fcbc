// One GDI font per face, size and weight, shared by text measuring and painting so labels are
// drawn exactly as they were measured.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "Control.h"
#include "GdiHandles.h"

// The character height in pixels: points at 96 dpi (the window is not scaled with the screen's
// density), else the design height.
int FontPixelHeight(const LabelFont& font);

class FontCache {
public:
    // Owned by the cache; a face the system lacks gets the system's substitute.
    HFONT Get(const LabelFont& font);

private:
    using Key = std::tuple<std::u16string, int, bool>;
    std::map<Key, UniqueFont> fonts_;
};
