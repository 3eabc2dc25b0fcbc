// Everything an operation touches: the main window's two state records, the skin's geometry, the
// presentation and the device ports. The window owns all of them and outlives every operation.
#pragma once

#include <memory>

#include "DeviceState.h"
#include "PanelState.h"
#include "PanelView.h"
#include "ports/AudioEndpoint.h"
#include "ports/DriverDevice.h"
#include "ports/HidDevice.h"

struct PanelContext {
    DeviceState& device;
    PanelState& state;
    const SkinGeometry& skin;
    IPanelView& view;
    IHidBus& hid;
    IDriverPort& driver;
    IAudioEndpoints& audio;
};

// A fresh handle on the headset's HID interface for one exchange, closed when dropped; null when
// the headset cannot be opened.
inline std::unique_ptr<IHidDevice> OpenHeadset(const PanelContext& ctx) {
    return ctx.hid.OpenHidDevice(ctx.device.vendorId, ctx.device.productId);
}
