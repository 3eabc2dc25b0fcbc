#include "SliderMapping.h"

namespace {

int Travel(int travel) {
    return travel < 1 ? 1 : travel;
}

}  // namespace

int ClampInt(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

uint16_t EqGainFromOffset(int offset, int travel) {
    const int L = Travel(travel);
    const int v = ClampInt(offset, 0, L) * 2048 / L;
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
    return L - g * L / 2048;
}

uint8_t D3ValueFromTop(int top, int travel) {
    const int L = Travel(travel);
    return static_cast<uint8_t>(
        ClampInt(k3DMaxValue - (top - k3DTopMin) * k3DMaxValue / L, 0, k3DMaxValue));
}

int D3TopFromValue(int value, int travel) {
    const int L = Travel(travel);
    return L - value * L / k3DMaxValue + k3DTopMin;
}

int MicValueFromTop(int top, int micTop0, int travel) {
    const int L = Travel(travel);
    return (micTop0 + L - top) * 100 / L;
}

int MicTopFromLevel(int level, int micTop0, int travel) {
    const int L = Travel(travel);
    return micTop0 + L - level * L / 100;
}
