#include "Microphone.h"

#include <cstdlib>

#include "CaptureSearch.h"

int LevelMeterWidth(const uint8_t* samples, uint32_t size, int fullWidth) {
    if (!samples || size == 0 || fullWidth < 10)
        return 0;
    uint64_t sum = 0;
    for (uint32_t i = 0; i < size; ++i)
        sum += static_cast<uint64_t>(std::abs(samples[i] - 128));
    const uint64_t mean = sum / size;
    const uint64_t level = (static_cast<uint64_t>(fullWidth) * 2 * mean) >> 7;
    if (level == 0)
        return 0;
    // Steps 10, 14, 18 ...: as many as the level asks for and the meter holds.
    const uint64_t fitting = static_cast<uint64_t>(fullWidth - 10) / 4 + 1;
    const uint64_t steps = level < fitting ? level : fitting;
    return static_cast<int>(4 * (steps - 1) + 10);
}

void LevelMeter::Start(const MeterSource& source) {
    if (input_.IsOpen())
        input_.Stop();
    int device = IWaveInput::kDefaultDevice;
    if (!source.endpointId.empty() || !source.interfacePrefix.empty())
        device = WaveInDeviceOf(input_.Devices(), source.endpointId, source.interfacePrefix);
    input_.Start(device);
}

void LevelMeter::Stop() {
    if (input_.IsOpen())
        input_.Stop();
}

int LevelMeter::OnBufferFilled(const uint8_t* samples, uint32_t size, int buffer, int fullWidth) {
    const int width = LevelMeterWidth(samples, size, fullWidth);
    if (input_.IsOpen())
        input_.Requeue(buffer);
    return width;
}
