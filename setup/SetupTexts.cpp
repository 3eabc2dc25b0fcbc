#include "SetupTexts.h"

#include <limits>
#include <vector>

const std::array<const char16_t*, SETUP_TEXT_COUNT> kSetupTextKeys = {
    u"LabelBackBtn",    u"LabelNextBtn",        u"LabelFinishBtn",        u"LabelCancelBtn",
    u"LabelSelectLang", u"LabelVersion",        u"LabelAudioExt",         u"LabelInstall",
    u"LabelReboot",     u"LabelRebootRadioBtn", u"LabelNoRebootRadioBtn", u"LabelTitle",
    u"LabelWarning1",   u"LabelWarning2",       u"LabelWarning3",         u"LabelWarning4",
    u"LabelWarning5",
};

namespace {

constexpr size_t kMaxText = 127;
constexpr size_t kMaxFontName = 63;

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

std::vector<std::u16string> SplitAtCommas(const std::u16string& value) {
    std::vector<std::u16string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = value.find(u',', start);
        fields.push_back(value.substr(start, comma - start));
        if (comma == std::u16string::npos)
            return fields;
        start = comma + 1;
    }
}

}  // namespace

std::optional<int32_t> ParseLabelNumber(const std::u16string& field) {
    size_t i = 0;
    while (i < field.size() && field[i] == u' ')
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == u'+' || field[i] == u'-'))
        negative = field[i++] == u'-';
    int base = 10;
    if (i < field.size() && (field[i] == u'$' || field[i] == u'x' || field[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < field.size() && field[i] == u'0' &&
               (field[i + 1] == u'x' || field[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == field.size())
        return std::nullopt;
    // Colours such as $00FFFFFF fill 32 bits; anything wider is not a number of this kind.
    uint64_t magnitude = 0;
    for (; i < field.size(); ++i) {
        const int digit = HexDigit(field[i]);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > std::numeric_limits<uint32_t>::max())
            return std::nullopt;
    }
    const int64_t signedValue =
        negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (signedValue < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(signedValue));
}

bool ParseLabelStyle(const std::u16string& value, LabelStyle& record) {
    const std::vector<std::u16string> fields = SplitAtCommas(value);
    record.Text = fields[0].substr(0, kMaxText);
    std::optional<int32_t>* numbers[] = {&record.ColorUp,  &record.ColorDown, nullptr,
                                         &record.FontSize, &record.Left,      &record.Top,
                                         &record.Width,    &record.Height};
    for (size_t i = 1; i < fields.size() && i < 9; ++i) {
        if (fields[i].empty())
            continue;
        if (i == 3) {
            record.FontName = fields[i].substr(0, kMaxFontName);
            continue;
        }
        const std::optional<int32_t> number = ParseLabelNumber(fields[i]);
        if (!number)
            return false;
        *numbers[i - 1] = number;
    }
    return true;
}

bool IsLabelShown(const LabelStyle& record) {
    return !record.Text.empty() && record.Text != u"(null)";
}

char16_t AccessKey(const std::u16string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1] >= u'a' && text[i + 1] <= u'z' ? text[i + 1] - u'a' + u'A'
                                                              : text[i + 1];
        ++i;
    }
    return 0;
}
