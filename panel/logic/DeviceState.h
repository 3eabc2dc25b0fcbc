// What the main window knows about the headset: its IDs, the presence handle and the switches
// that follow it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ports/AudioEndpoint.h"
#include "ports/HidDevice.h"

struct DeviceState {
    // From the device search; both 0 when nothing was found.
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    // Held open while the headset is there; it is the device-present test.
    std::unique_ptr<IHidDevice> presence;
    int32_t devicePresent = 0;  // 1 exactly while presence is open
    // Write-through to the chip's registers; follows devicePresent on connect and disconnect.
    int32_t synchronise = 0;
    // 6 selects Core Audio for the microphone, anything else the legacy mixer.
    int osGeneration = 0;
    // The microphone endpoint, looked up for one operation and dropped after it.
    std::unique_ptr<ICaptureEndpoint> captureEndpoint;
    // The ID of the endpoint a lookup last found, kept until the headset is removed: the level
    // meter records from that endpoint's wave-input device.
    std::u16string captureEndpointId;
};

// Looks the microphone's endpoint up into the device state.
inline void LookUpCaptureEndpoint(DeviceState& device, IAudioEndpoints& audio) {
    device.captureEndpoint = audio.FindCaptureEndpoint(device.vendorId, device.productId);
    if (device.captureEndpoint)
        device.captureEndpointId = device.captureEndpoint->Id();
}
