// Port: the size a caption takes in a font, for labels that size themselves to their text.
#pragma once

#include <string>

#include "Control.h"

class ITextMeasure {
public:
    virtual ~ITextMeasure() = default;

    virtual Size Measure(const std::u16string& text, const LabelFont& font) = 0;
};
