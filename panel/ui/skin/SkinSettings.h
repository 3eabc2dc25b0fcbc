// SkinSetting.ini: one SkinImageEntry per image key (the catalogue's and the About logo, in
// reading order) and the geometry keys that size the panels and set the sliders' and speakers'
// numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SkinImageEntry.h"
#include "ViewGeometry.h"
#include "ports/ProfileStrings.h"

// Number of image keys: one per skin key of the catalogue's images, and the About logo.
int SkinImageKeyCount();
inline const int kSkinImageCount = SkinImageKeyCount();

struct SkinBounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct SkinLayout {
    std::vector<SkinImageEntry> images =
        std::vector<SkinImageEntry>(static_cast<size_t>(SkinImageKeyCount()));
    SkinBounds backNotebook;  // [Main] BackNotebook
    SkinBounds eqPanel;       // sizes only
    SkinBounds effectPanel;
    SkinBounds micPanel;
    SkinBounds virtualPanel;
    int32_t previousRadius = 0;  // the radius before the last VirtualCenter
};

struct SkinKeyName {
    const char16_t* section;
    const char16_t* key;
};

// Section and key of image table entry index (0 to kSkinImageCount - 1), for filling the scene's
// own tables; empty outside.
SkinKeyName SkinImageKeyAt(int index);

// Index of [section] key in the image table; -1 for a name that is no image key.
int SkinImageIndex(const std::u16string& section, const std::u16string& key);
// The entry of [section] key; an empty entry for a name that is no image key.
const SkinImageEntry& SkinImage(const SkinLayout& layout, const std::u16string& section,
                                const std::u16string& key);

// FileName[,Left[,Top[,Width[,Height]]]]; fields after the fifth are ignored. A bound field that
// is not an integer, or a file name left empty while bounds are given, throws PanelError.
SkinImageEntry ParseImageValue(const std::u16string& value);

// Clears the image table, then reads every key in order from iniPath. A geometry key that is
// missing or not an integer throws PanelError naming it; the keys before it stay applied.
void LoadSkinSettings(IProfileStrings& strings, const std::u16string& iniPath, SkinLayout& layout,
                      SkinGeometry& geometry);
