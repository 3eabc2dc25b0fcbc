// Text, colours, font and bounds of a label as one language key gives them; empty until a
// language fills it.
#pragma once

#include <cstdint>
#include <string>

struct LabelStyle {
    std::u16string Text;  // at most 127 characters; empty or "(null)" hides the label
    int32_t ColorUp = 0;  // released, off or unselected (0x00BBGGRR)
    int32_t ColorDown = 0;
    std::u16string FontName;  // at most 63 characters
    int32_t FontSize = 0;     // points, before the density factor
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool HasColorUp = false;
    bool HasColorDown = false;
    bool HasFontName = false;
    bool HasFontSize = false;
    bool HasLeft = false;
    bool HasTop = false;
    bool HasWidth = false;
    bool HasHeight = false;
};

// The language's [GlobalFont]: used where a style leaves a field out.
struct GlobalLabelDefaults {
    int32_t ColorUp = -1;  // -1 = not given
    int32_t ColorDown = -1;
    int32_t FontSize = -1;
    std::u16string FontName;  // empty = not given
};
