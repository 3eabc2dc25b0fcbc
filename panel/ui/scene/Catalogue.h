// The main window's controls in creation order: later rows lie on top of earlier ones.
#pragma once

#include <cstddef>

#include "Control.h"

struct DesignFont {
    const char16_t* face;  // null: the window's font
    int heightPx;
    bool bold;
    int32_t colour;
};

struct CatalogueRow {
    const char* name;
    Kind kind;
    Parent parent;
    int tag;
    Rect bounds;
    uint32_t look;  // LookFlag bits
    Align align;
    DesignFont font;
    Keys keySource;
    const char* keys;  // comma-separated skin or language keys
};

extern const CatalogueRow kCatalogue[];
extern const size_t kCatalogueSize;

// The notebook's pages in index order, with their captions.
constexpr int kPageCount = 5;
extern const char16_t* const kPageNames[kPageCount];

// The window before any skin is applied.
constexpr Size kDesignClientSize{806, 522};
constexpr const char16_t* kWindowCaption = u"AudioPanelApp";
constexpr const char16_t* kWindowFontFace = u"MS Sans Serif";
constexpr int kWindowFontPx = 11;
