// Microphone level, mute and boost on the headset's capture endpoint, and the level meter.
#pragma once

#include <cstdint>
#include <string>

#include "ports/AudioEndpoint.h"

// 0 unknown; 1 Windows 98; 2 Windows 2000; 3 Windows Me; 4 XP; 6 Vista and later (Core Audio).
int OsGeneration(IOsVersion& os);

// Level 0-100 from the endpoint's volume steps. 0; 2 volume not obtained; 3 steps not read, or
// fewer than two steps (no range to scale). The level is left as it was on failure.
uint32_t ReadMicLevel(ICaptureEndpoint& endpoint, uint32_t* level);
// Volume scalar level x 0.01, levels above 100 taken as 100. 0; 2 volume not obtained.
uint32_t WriteMicLevel(ICaptureEndpoint& endpoint, uint32_t level);

// 2 volume not obtained, else the method's HRESULT.
uint32_t ReadMicMute(ICaptureEndpoint& endpoint, int32_t* mute);
uint32_t WriteMicMute(ICaptureEndpoint& endpoint, int32_t mute);
// Boost is the automatic gain control of the microphone's subunit: 0 done; 2-10 the step that
// failed; otherwise the HRESULT of the last activation tried.
uint32_t ReadMicBoost(ICaptureEndpoint& endpoint, int32_t* boost);
uint32_t WriteMicBoost(ICaptureEndpoint& endpoint, int32_t boost);
// A boost code saying that the walk reached the microphone's device but none of its subunits
// offers automatic gain control (many USB microphones have none): the microphone has no boost.
bool MicHasNoBoost(uint32_t boostCode);

// The headset's microphone as the level meter looks for it among the wave-input devices.
struct MeterSource {
    std::u16string endpointId;       // the capture endpoint the search found; empty for none
    std::u16string interfacePrefix;  // "\\?\USB#VID_vvvv&PID_pppp"; empty without a headset
};

// The level meter: a capture stream whose buffers set the width of the bar.
class LevelMeter {
public:
    explicit LevelMeter(IWaveInput& input) : input_(input) {}

    // Records from the headset's own microphone, or from the default recording device where no
    // wave-input device maps to it. A running stream is stopped first, so no stream is ever left
    // open.
    void Start(const MeterSource& source = {});
    void Stop();
    bool IsRunning() const { return input_.IsOpen(); }

    // A filled buffer: the new width of the bar for a meter fullWidth pixels wide, and the buffer
    // handed back while the stream is open.
    int OnBufferFilled(const uint8_t* samples, uint32_t size, int buffer, int fullWidth);

private:
    IWaveInput& input_;
};

// The bar width for a buffer of 8-bit samples and a meter fullWidth pixels wide: 0 for silence,
// else 10, 14, 18 ... up to the level, never beyond fullWidth (0 when not even 10 fits).
int LevelMeterWidth(const uint8_t* samples, uint32_t size, int fullWidth);
