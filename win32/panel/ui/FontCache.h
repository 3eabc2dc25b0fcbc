// One GDI font per face, size and weight, shared by text measuring and painting so labels are
// drawn exactly as they were measured.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "Control.h"
#include "GdiHandles.h"
#include "ScreenScale.h"

// The character height in pixels at a density: points at that density, else the design
// height scaled from the design's 96 dots per inch. Text is measured at the design's density
// and drawn at the screen's, like the rest of the window.
int FontPixelHeight(const LabelFont& font, int dpi = kDesignDpi);

class FontCache {
public:
    // Owned by the cache; a face the system lacks gets the system's substitute.
    HFONT Get(const LabelFont& font, int dpi = kDesignDpi);

private:
    using Key = std::tuple<std::u16string, int, bool>;
    std::map<Key, UniqueFont> fonts_;
};
