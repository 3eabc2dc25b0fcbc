// The looks of the window's buttons, read from their catalogue rows.
#pragma once

#include <vector>

#include "Catalogue.h"

struct ButtonKeys {
    const char* up;     // skin key of the released / off / unselected picture
    const char* down;   // skin key of the pressed / on / selected picture
    const char* style;  // language key of the caption's colours; null: no caption
};

// A push button's, toggle's or selector's keys. Its caption is the label of its tag; every
// caption of a selector group takes the colours of the group's first caption.
ButtonKeys ButtonKeysOf(const CatalogueRow& button);

// The selectors that share a selector's state member, by their values.
std::vector<const CatalogueRow*> SelectorGroupOf(const CatalogueRow& selector);

// The pictures that show the same state member as a row (the effect's picture for the effect
// selectors).
std::vector<const CatalogueRow*> PicturesShowing(const CatalogueRow& row);
