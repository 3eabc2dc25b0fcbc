#include "PanelError.h"

#include "TextHelpers.h"

namespace {

int DigitValue(char16_t c, int base) {
    int v = -1;
    if (c >= u'0' && c <= u'9') {
        v = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        v = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        v = c - u'A' + 10;
    }
    return v < base ? v : -1;
}

[[noreturn]] void NotAnInteger(const std::u16string& text) {
    throw PanelError(u"'" + text + u"' is not a valid integer value");
}

}  // namespace

int32_t TextToInt(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) {
        NotAnInteger(text);
    }
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            NotAnInteger(text);
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > limit) {
            NotAnInteger(text);
        }
    }
    const uint32_t bits = static_cast<uint32_t>(negative ? 0u - static_cast<uint32_t>(value)
                                                         : static_cast<uint32_t>(value));
    return static_cast<int32_t>(bits);
}

std::string MessageText(const std::u16string& text) {
    return Utf16ToUtf8(text);
}
