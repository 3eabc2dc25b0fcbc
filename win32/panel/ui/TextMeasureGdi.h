// Caption sizes as GDI lays the text out on one line in the label's font.
#pragma once

#include <windows.h>

#include "FontCache.h"
#include "GdiHandles.h"
#include "TextMeasure.h"

class TextMeasureGdi : public ITextMeasure {
public:
    explicit TextMeasureGdi(FontCache& fonts);

    Size Measure(const std::u16string& text, const LabelFont& font) override;

private:
    FontCache& fonts_;
    UniqueDc dc_;
};

// The flags labels are measured and drawn with: one line, '&' shown as it is.
constexpr UINT kLabelTextFlags = DT_SINGLELINE | DT_NOPREFIX;
