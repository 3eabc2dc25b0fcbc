#include "ScreenScale.h"

#include <climits>

namespace {

constexpr int kMinDpi = 24;
constexpr int kMaxDpi = 960;

int Clamp(int64_t v) {
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

// Floor and ceiling of n / d for d > 0, whatever the sign of n.
int64_t FloorDiv(int64_t n, int64_t d) {
    const int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}
int64_t CeilDiv(int64_t n, int64_t d) {
    const int64_t q = n / d;
    return (n % d != 0 && n > 0) ? q + 1 : q;
}

uint32_t Word(const std::vector<uint8_t>& d, size_t at) {
    return static_cast<uint32_t>(d[at]) | static_cast<uint32_t>(d[at + 1]) << 8 |
           static_cast<uint32_t>(d[at + 2]) << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

void PutWord(std::vector<uint8_t>& d, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        d[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

void ScaleAt(std::vector<uint8_t>& d, size_t at, const ScreenScale& scale) {
    const int32_t design = static_cast<int32_t>(Word(d, at));
    PutWord(d, at, static_cast<uint32_t>(scale.ToScreen(design)));
}

}  // namespace

ScreenScale::ScreenScale(int dpi) : dpi_(dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kDesignDpi) {}

int ScreenScale::ToScreen(int design) const {
    return Clamp(CeilDiv(static_cast<int64_t>(design) * dpi_, kDesignDpi));
}

int ScreenScale::ToDesign(int screen) const {
    return Clamp(FloorDiv(static_cast<int64_t>(screen) * kDesignDpi, dpi_));
}

Rect ScreenScale::ToScreen(const Rect& design) const {
    const int left = ToScreen(design.left);
    const int top = ToScreen(design.top);
    const int64_t right = ToScreen(Clamp(static_cast<int64_t>(design.left) + design.width));
    const int64_t bottom = ToScreen(Clamp(static_cast<int64_t>(design.top) + design.height));
    return {left, top, Clamp(right - left), Clamp(bottom - top)};
}

std::vector<uint8_t> ScaleRegionData(const std::vector<uint8_t>& data, const ScreenScale& scale) {
    std::vector<uint8_t> out = data;
    constexpr size_t kHeader = 32;
    if (scale.IsIdentity() || out.size() < kHeader) {
        return out;
    }
    for (size_t at = 16; at < kHeader; at += 4) {
        ScaleAt(out, at, scale);
    }
    const uint64_t count = Word(out, 8);
    for (uint64_t i = 0; i < count && kHeader + 16 * (i + 1) <= out.size(); ++i) {
        for (size_t field = 0; field < 4; ++field) {
            ScaleAt(out, kHeader + 16 * i + 4 * field, scale);
        }
    }
    return out;
}
