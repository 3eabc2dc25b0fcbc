#include "SliderMapping.h"

#include <cmath>
#include <cstdint>

namespace {

int Travel(int travel) {
    return travel < 1 ? 1 : travel;
}

// The products below in 64 bits, the result held within int.
int Narrow(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int>(v);
}

}  // namespace

int ClampInt(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

uint16_t EqGainFromOffset(int offset, int travel) {
    const int L = Travel(travel);
    const int v = static_cast<int>(int64_t{ClampInt(offset, 0, L)} * 2048 / L);
    int gain = 2048 - v;
    if (gain > 1024) {
        gain = 3 * gain - 2049;
    }
    return static_cast<uint16_t>(gain);
}

int EqOffsetFromGain(uint16_t gain, int travel) {
    const int L = Travel(travel);
    int g = gain;
    if (g > 1024) {
        g = (g - 1023) / 3 + 1024;
    }
    return Narrow(L - int64_t{g} * L / 2048);
}

double EqLevelDb(uint16_t gain) {
    return gain == 0 ? kEqSilenceDb : 20.0 * std::log10(gain / 1024.0);
}

uint8_t D3ValueFromTop(int top, int travel) {
    const int L = Travel(travel);
    const int64_t value = k3DMaxValue - (int64_t{top} - k3DTopMin) * k3DMaxValue / L;
    return static_cast<uint8_t>(value < 0 ? 0 : value > k3DMaxValue ? k3DMaxValue : value);
}

int D3TopFromValue(int value, int travel) {
    const int L = Travel(travel);
    return Narrow(L - int64_t{value} * L / k3DMaxValue + k3DTopMin);
}

int MicValueFromTop(int top, int micTop0, int travel) {
    const int L = Travel(travel);
    return Narrow((int64_t{micTop0} + L - top) * 100 / L);
}

int MicTopFromLevel(int level, int micTop0, int travel) {
    const int L = Travel(travel);
    return Narrow(int64_t{micTop0} + L - int64_t{level} * L / 100);
}
