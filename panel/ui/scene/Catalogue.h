// The main window's controls in creation order: later rows lie on top of earlier ones. A row is
// the only registration of a control: the button tables, the press handlers, the whole-window
// repaint and the skin's image keys are all read from it.
#pragma once

#include <array>
#include <cstddef>

#include "Control.h"
#include "ControlTags.h"
#include "PanelState.h"
#include "ViewGeometry.h"

struct PanelContext;

struct DesignFont {
    const char16_t* face;  // null: the window's font
    int heightPx;
    bool bold;
    int32_t colour;
};

// Skin or language keys. Buttons: Up (released, off, unselected) then Down; pictures and mode
// buttons: one per value of their state.
constexpr size_t kMaxRowKeys = 5;
using RowKeys = std::array<const char*, kMaxRowKeys>;

// The panel state a control shows. Toggles are on while the member is not 0; a selector is
// selected while the member equals value; pictures and mode buttons show key (member - value),
// the first key for a number outside their keys.
struct StateBinding {
    int32_t PanelState::*member = nullptr;
    int32_t value = 0;
};

// The keyboard's steps of a slider, counted in the value it shows (higher at the top): step for
// an arrow key, largeStep for PageUp and PageDown. shown is the value a move to a Top gives,
// showing the value shown now (a slider settles where its value puts it, which may be a pixel
// from where it was moved).
struct SliderSteps {
    double (*shown)(const SkinGeometry& skin, int top);
    double (*showing)(const PanelContext& ctx, int sliderTag);
    double step;
    double largeStep;
};

// How a slider travels and what its moves run. Its Top ranges over top0 .. top0 + length, from
// the skin's geometry or, without a skin member, fixed.
struct SliderTrack {
    int SkinGeometry::*top0;
    int SkinGeometry::*length;
    int fixedTop0;
    int fixedLength;
    void (*moved)(PanelContext& ctx, int sliderTag, int top);
    SliderSteps steps;
};

SliderRange TravelOf(const SliderTrack& slider, const SkinGeometry& skin);

// The keyboard's steps of a slider that shows a chip setting (its handler OnSettingSliderMoved):
// one value of the setting per arrow, three per page.
double SettingShownAt(const SkinGeometry& skin, int sliderTag, int top);
double SettingShowing(const PanelContext& ctx, int sliderTag);
template <ControlTag sliderTag>
double SettingShown(const SkinGeometry& skin, int top) {
    return SettingShownAt(skin, sliderTag, top);
}
template <ControlTag sliderTag>
constexpr SliderSteps SettingSteps() {
    return {SettingShown<sliderTag>, SettingShowing, 1.0, 3.0};
}

struct CatalogueRow {
    const char* name;
    Kind kind;
    Role role;
    Parent parent;
    ControlTag tag;
    Rect bounds;
    uint32_t look;  // LookFlag bits
    Align align;
    DesignFont font;
    Keys keySource;
    RowKeys keys;
    StateBinding state;
    const SliderTrack* slider;
    // What a screen reader calls a control that no label names (a picture button without
    // caption, a speaker), in English; its row name is the key of [Accessibility] in a language.
    const char16_t* accessibleName = nullptr;
};

extern const CatalogueRow kCatalogue[];
extern const size_t kCatalogueSize;

// Number of keys a row names.
size_t KeyCount(const CatalogueRow& row);
// Key index of a row (clamped as StateBinding says), or null for a row without keys.
const char* KeyAt(const CatalogueRow& row, int index);
// The row's state value (0 without a binding).
int32_t StateOf(const CatalogueRow& row, const PanelState& state);
// The key a picture, toggle, selector or mode button shows for this state; push buttons show
// Up. Null for rows without skin keys.
const char* SkinKeyFor(const CatalogueRow& row, const PanelState& state);
// A toggle's or selector's "on" (Down) look for this state.
bool IsOn(const CatalogueRow& row, const PanelState& state);

// The row of the image with this tag, taken as the scene finds it (the last created); null when
// none.
const CatalogueRow* ImageRowOf(int tag);
// The row of the label with this tag (the last created); null when none.
const CatalogueRow* LabelRowOf(int tag);

// Section of the skin and language files that holds the keys of a parent's controls.
const char* SectionOf(Parent parent);

// The notebook's pages in index order, with their captions.
constexpr int kPageCount = 5;
extern const char16_t* const kPageNames[kPageCount];

// The window before any skin is applied.
constexpr Size kDesignClientSize{806, 522};
constexpr const char16_t* kWindowCaption = u"AudioPanelApp";
constexpr const char16_t* kWindowFontFace = u"MS Sans Serif";
constexpr int kWindowFontPx = 11;
