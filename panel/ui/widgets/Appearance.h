// What the skin and the language give the window to paint with: picture entries by skin key,
// label styles by language key, the global label defaults, where the skin's pictures are, the
// screen density and the titles.
#pragma once

#include <map>
#include <string>

#include "LabelStyle.h"
#include "SkinImageEntry.h"

// Point sizes are scaled by the density factor held in ten-thousandths, so the rounding of a
// half is exact.
constexpr int kDensityUnit = 10000;

// 96 dpi -> 1.0 (0.9 before Vista), 120 -> 0.8 (0.72), 144 -> 0.6664 on every version; other
// densities scale as 96 / dpi, with the same 0.9 before Vista.
int DensityFactor(int pixelsPerInch, bool beforeVista);

struct Appearance {
    std::map<std::string, SkinImageEntry> images;
    std::map<std::string, LabelStyle> labels;
    GlobalLabelDefaults globals;
    // Application folder + skin folder name + "\" + skin name + "\".
    std::u16string skinFolder;
    int density = kDensityUnit;
    // Caption of the warning message (InstallAppTitle).
    std::u16string appTitle;

    // An empty entry or style where the key has none.
    const SkinImageEntry& Image(const std::string& key) const;
    LabelStyle& Label(const std::string& key);
};
