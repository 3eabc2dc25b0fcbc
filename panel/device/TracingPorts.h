// Decorators around the device ports that write what passes through them as trace lines, in the
// simulator's format (sim/TRACE.md), so a run on the real headset can be set beside a run on the
// simulated one. They change nothing that passes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ports/AudioEndpoint.h"
#include "ports/DriverDevice.h"
#include "ports/HidDevice.h"

// Receives one line at a time, without its line end.
using TraceSink = std::function<void(const std::string& line)>;

// "HID OPEN", "HID OPEN-FAIL", and for its handles "HID SET", "HID GET", "HID CLOSE".
class TracingHidBus : public IHidBus {
public:
    TracingHidBus(IHidBus& inner, TraceSink sink) : inner_(inner), sink_(std::move(sink)) {}
    std::unique_ptr<IHidDevice> OpenHidDevice(uint16_t vendorId, uint16_t productId) override;

private:
    IHidBus& inner_;
    TraceSink sink_;
};

// "DRV OPEN-FAIL", and for each command "DRV ..." or "DRV FAIL ...".
class TracingDriverPort : public IDriverPort {
public:
    TracingDriverPort(IDriverPort& inner, TraceSink sink) : inner_(inner), sink_(std::move(sink)) {}
    std::unique_ptr<IDriverHandle> Open(const std::u16string& devicePath) override;

private:
    IDriverPort& inner_;
    TraceSink sink_;
};

// "EP FIND", "EP FIND-FAIL", the endpoint's "EP ..." lines and the mixer's "MIX ..." lines.
class TracingAudioEndpoints : public IAudioEndpoints {
public:
    TracingAudioEndpoints(IAudioEndpoints& inner, TraceSink sink)
        : inner_(inner), sink_(std::move(sink)) {}
    std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) override;
    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                          uint16_t productId) override;
    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t vendorId, uint16_t productId) override;

private:
    IAudioEndpoints& inner_;
    TraceSink sink_;
};

// "WAVE START", "WAVE START-FAIL", "WAVE REQUEUE n", "WAVE STOP". The filled buffers ("WAVE
// DATA n") reach the window, not this port: the program writes them.
class TracingWaveInput : public IWaveInput {
public:
    TracingWaveInput(IWaveInput& inner, TraceSink sink) : inner_(inner), sink_(std::move(sink)) {}
    std::vector<WaveInDeviceEntry> Devices() override;
    bool Start(int device) override;
    void Stop() override;
    bool IsOpen() const override { return inner_.IsOpen(); }
    void Requeue(int buffer) override;

private:
    IWaveInput& inner_;
    TraceSink sink_;
};
