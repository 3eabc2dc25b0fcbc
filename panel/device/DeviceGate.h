// The one way from the panel to its devices: the HID bus, the extension driver, the microphone
// and the level meter's capture stream, each passed through unchanged until the gate closes.
// After the shutdown has left the headset neutral, a message handled late (inside a pump, a
// modal loop) must not move it again: a closed gate opens nothing, and handles opened before
// refuse every exchange.
//
//   DeviceGate gate(sim.HidBus(), sim.Driver(), sim.Endpoints(), sim.WaveInput());
//   PanelContext ctx{device, state, skin, view, gate.Hid(), gate.Driver(), gate.Audio()};
//   gate.Close();  // the end of the shutdown
#pragma once

#include <memory>

#include "ports/AudioEndpoint.h"
#include "ports/DriverDevice.h"
#include "ports/HidDevice.h"

class DeviceGate {
public:
    DeviceGate(IHidBus& hid, IDriverPort& driver, IAudioEndpoints& audio, IWaveInput& waveInput);
    ~DeviceGate();
    DeviceGate(const DeviceGate&) = delete;
    DeviceGate& operator=(const DeviceGate&) = delete;

    IHidBus& Hid();
    IDriverPort& Driver();
    IAudioEndpoints& Audio();
    IWaveInput& WaveInput();

    void Open() { *open_ = true; }
    void Close() { *open_ = false; }
    bool IsOpen() const { return *open_; }

private:
    class GatedHid;
    class GatedDriver;
    class GatedAudio;
    class GatedWave;

    // Shared with the handles given out, which may outlive the gate.
    std::shared_ptr<bool> open_;
    std::unique_ptr<GatedHid> hid_;
    std::unique_ptr<GatedDriver> driver_;
    std::unique_ptr<GatedAudio> audio_;
    std::unique_ptr<GatedWave> wave_;
};
