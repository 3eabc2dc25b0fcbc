#include "TextMeasureGdi.h"

#include "WideText.h"

TextMeasureGdi::TextMeasureGdi(FontCache& fonts)
    : fonts_(fonts), dc_(CreateCompatibleDC(nullptr)) {}

Size TextMeasureGdi::Measure(const std::u16string& text, const LabelFont& font) {
    if (!dc_) {
        return {};
    }
    SelectedObject selected(dc_.get(), fonts_.Get(font));
    if (text.empty()) {
        // No text still takes a line.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_.get(), &metrics);
        return {0, static_cast<int>(metrics.tmHeight)};
    }
    RECT box{0, 0, 0, 0};
    DrawTextW(dc_.get(), W(text), static_cast<int>(text.size()), &box,
              kLabelTextFlags | DT_CALCRECT);
    return {static_cast<int>(box.right - box.left), static_cast<int>(box.bottom - box.top)};
}
