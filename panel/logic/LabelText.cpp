#include "LabelText.h"

#include <cstdio>

namespace {

std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text != '\0'; ++text) {
        out.push_back(static_cast<char16_t>(*text));
    }
    return out;
}

}  // namespace

std::u16string DecimalText(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(value));
    return Widen(buffer);
}

std::u16string HexText(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%lx", static_cast<unsigned long>(value));
    return Widen(buffer);
}
