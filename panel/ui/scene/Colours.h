// The colours the window is painted with: the skin's and language's own, or the system's while
// the user asks for high contrast. Colours are 0x00BBGGRR.
#pragma once

#include <array>
#include <cstdint>

#include "Control.h"

// Indices of the system's colours, as the platform numbers them.
constexpr int kSysWindow = 5;
constexpr int kSysWindowText = 8;
constexpr int kSysHighlight = 13;

// The system's colours and whether the user asked for high contrast. Default-made: the classic
// colours the skins were drawn against (the others black). Outside high contrast the platform
// leaves them so, whatever its own are: a theme does not recolour the skins' labels.
struct SystemColours {
    static constexpr int kCount = 31;

    SystemColours();
    // Black for an index the platform does not have.
    int32_t operator[](int index) const;
    bool operator==(const SystemColours& other) const {
        return highContrast == other.highContrast && colour == other.colour;
    }
    bool operator!=(const SystemColours& other) const { return !(*this == other); }

    std::array<int32_t, kCount> colour{};
    bool highContrast = false;
};

// A concrete colour for a named system colour from these system colours; plain colours pass
// through.
int32_t ResolveColour(int32_t colour, const SystemColours& system);

// How a label's text is drawn: in high contrast in the system's text colour on a box of its
// window colour, so it reads on any picture.
struct LabelInk {
    int32_t text = 0;
    bool boxed = false;
    int32_t box = 0;
};
LabelInk InkForLabel(int32_t labelColour, const SystemColours& system);

// The focus indicator's two lines: a dark one inside and a light one outside, so one of them
// stands out on dark and on light pictures; in high contrast the system's highlight inside and its
// window colour outside.
struct RingInk {
    int32_t inner = 0;
    int32_t outer = 0;
};
RingInk InkForFocusRing(const SystemColours& system);
