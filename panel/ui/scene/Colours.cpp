#include "Colours.h"

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xFFFFFF;

}  // namespace

SystemColours::SystemColours() {
    colour.fill(kBlack);
    colour[3] = 0xDBCDBF;  // inactive caption
    colour[4] = 0xF0F0F0;  // menu
    colour[kSysWindow] = kWhite;
    colour[kSysWindowText] = kBlack;
    colour[kSysHighlight] = 0xFF9933;
}

int32_t SystemColours::operator[](int index) const {
    return index >= 0 && index < kCount ? colour[static_cast<size_t>(index)] : kBlack;
}

int32_t ResolveColour(int32_t colour, const SystemColours& system) {
    if (!IsSystemColour(colour)) {
        return colour;
    }
    return system[static_cast<int>(int64_t{colour} - INT32_MIN)];
}

LabelInk InkForLabel(int32_t labelColour, const SystemColours& system) {
    if (!system.highContrast) {
        return LabelInk{ResolveColour(labelColour, system), false, 0};
    }
    return LabelInk{system[kSysWindowText], true, system[kSysWindow]};
}

RingInk InkForFocusRing(const SystemColours& system) {
    if (!system.highContrast) {
        return RingInk{kBlack, kWhite};
    }
    return RingInk{system[kSysHighlight], system[kSysWindow]};
}
