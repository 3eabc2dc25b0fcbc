// Plugs the simulated headset in or out and connects the panel's device state to it, as the
// start-up's device search and HID open would.
#pragma once

#include "DeviceState.h"
#include "SimHeadset.h"

inline void ConnectSimulatedHeadset(SimHeadset& sim, DeviceState& device, bool plugged) {
    if (plugged) {
        sim.Plug();
    } else {
        sim.Unplug();
    }
    sim.Chip().PowerOn();
    device.presence.reset();
    device.captureEndpoint.reset();
    // The device search leaves both IDs at 0 when it finds nothing.
    device.vendorId = plugged ? SimHeadset::kVendorId : 0;
    device.productId = plugged ? SimHeadset::kProductId : 0;
    device.presence = sim.HidBus().OpenHidDevice(device.vendorId, device.productId);
    device.devicePresent = device.presence ? 1 : 0;
    device.synchronise = device.devicePresent;
    device.osGeneration = 6;
}
