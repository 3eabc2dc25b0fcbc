// Slider picture positions to values and back. A travel length below one pixel is taken as one,
// so a broken skin never divides by zero.
#pragma once

#include <cstdint>

// The 3D sliders' travel is fixed; their value scale still uses the shared travel L.
constexpr int k3DTopMin = 105;
constexpr int k3DTopMax = 225;
constexpr int k3DMirrorSum = k3DTopMin + k3DTopMax;  // link mode 2 puts the partner at 330 - y
constexpr int k3DMaxValue = 15;

int ClampInt(int v, int lo, int hi);

// EQ: offset (Top - EQ top0, held in 0..L) to a 12-bit gain; the lower half is linear up to 1024,
// the upper half three times steeper up to 4095.
uint16_t EqGainFromOffset(int offset, int travel);
// The offset a stored gain maps back to.
int EqOffsetFromGain(uint16_t gain, int travel);
// A band's level in dB against the flat gain 1024, the gain taken as an amplitude; silence
// (gain 0) as kEqSilenceDb.
constexpr double kEqSilenceDb = -100.0;
double EqLevelDb(uint16_t gain);

// 3D: value 0-15 from a slider Top (held in 0..15), and the Top that shows a value.
uint8_t D3ValueFromTop(int top, int travel);
int D3TopFromValue(int value, int travel);

// Mic: value 0-100 from a slider Top (0 at the bottom, 100 at the top), and back.
int MicValueFromTop(int top, int micTop0, int travel);
int MicTopFromLevel(int level, int micTop0, int travel);
