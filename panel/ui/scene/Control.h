// One control of the main window: the catalogue's design values and the look it has now.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

#include "ViewGeometry.h"

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // Right and bottom edges are outside, as for the platform's rectangles. In 64 bits: a
    // profile may place an icon anywhere in int's range.
    bool Contains(Point p) const {
        return p.x >= left && p.y >= top && int64_t{p.x} - left < width &&
               int64_t{p.y} - top < height;
    }
};

enum class Kind : uint8_t { Image, Label, Line, Panel, Notebook };

// What a control is to the user: how it is pressed, painted and named.
enum class Role : uint8_t {
    None,         // structure only: bevel lines, page panels, the notebook
    Picture,      // a picture; with several keys, the one its state selects
    Text,         // a label that takes no press
    Form,         // the window's background: a left press drags the window, a right one closes it
    PushButton,   // Down while held; its release or click runs its action
    Toggle,       // Down while its state is on; a press flips it
    ToggleLook,   // shows a toggle's state but takes no press
    Indicator,    // no pictures of its own: shown while on; a press runs its action
    Selector,     // one of the selectors sharing its state member: Down when selected
    ModeButton,   // a press steps its state to the next mode; one picture per mode
    Caption,      // the label of the button with its tag: presses go to the button
    PageTab,      // a press shows the page of its tag
    Slider,       // dragged along its travel
    SliderBar,    // a press jumps its slider (the bar's tag less kBarTagOffset) to the pointer
    SliderValue,  // shows its slider's value (the slider's tag)
    Scale,        // the graduation beside a slider
    Speaker,      // a speaker icon, dragged around the centre
    LevelMeter,   // the microphone's level bar
};

struct CatalogueRow;

// Pages are the notebook's; each panel fills one page.
enum class Parent : uint8_t {
    Window,
    PageEQ,
    Page3D,
    PageEffect,
    PageMic,
    PageVirtual,
    EQPanel,
    D3Panel,
    EffectPanel,
    MicPanel,
    VirtualPanel,
};

enum class Align : uint8_t { Left, Center, Right };

// Where a control's paint comes from.
enum class Keys : uint8_t { None, Skin, Language };

enum LookFlag : uint32_t {
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kStretch = 1u << 2,
    kTransparent = 1u << 3,
    kAutoSize = 1u << 4,   // images take their picture's size
    kFixedSize = 1u << 5,  // labels keep their size whatever the text
    kRightEdge = 1u << 6,  // lines: drawn on the right edge
};

// Colours are 0x00BBGGRR; named system colours carry the top bit and the system's colour index
// (resolved in Colours.h).
constexpr int32_t SystemColour(int index) {
    return INT32_MIN + index;
}
constexpr bool IsSystemColour(int32_t colour) {
    return colour < 0;
}
constexpr int32_t kColorInactiveCaption = SystemColour(3);
constexpr int32_t kColorMenu = SystemColour(4);
constexpr int32_t kColorWindow = SystemColour(5);
constexpr int32_t kColorWindowText = SystemColour(8);
constexpr int32_t kColorHighlight = SystemColour(13);
constexpr int32_t kColorWhite = 0xFFFFFF;
constexpr int32_t kColorAqua = 0xFFFF00;

struct LabelFont {
    std::u16string face;
    int heightPx = 0;  // the design size; used while no point size has been applied
    int points = 0;    // 0 = none applied yet
    bool bold = false;
};

// Handlers a control's pointer events go to.
enum class Handler : uint8_t {
    None,
    Image,    // OnImageMouseDown / OnImageMouseUp
    Label,    // OnLabelMouseDown / OnLabelMouseUp: forwarded to the image of the same tag
    PageTab,  // OnLabelPageMouseDown
    Form,     // FormMouseDown
};

struct Control {
    std::string name;
    Kind kind = Kind::Image;
    Role role = Role::None;
    const CatalogueRow* row = nullptr;  // where it was registered
    Parent parent = Parent::Window;
    int tag = 0;
    Rect bounds;
    bool visible = true;
    bool enabled = true;
    bool stretch = false;
    bool transparent = false;
    bool autoSize = false;
    bool fixedSize = false;
    bool rightEdge = false;
    Align align = Align::Left;
    Handler handler = Handler::None;
    // Labels.
    LabelFont font;
    int32_t colour = 0;
    std::u16string caption;
    // Images: the file the picture came from (empty: the design-time picture) and its size.
    std::u16string picture;
    Size pictureSize;
};
