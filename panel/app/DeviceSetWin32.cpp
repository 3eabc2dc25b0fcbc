// The real devices: Win32 HID, driver, audio and device-tree adapters. With AUDIOPANEL_TRACE set,
// the HID, driver, endpoint, mixer and wave-input ports are wrapped in the tracing ports, and
// the meter's filled buffers are traced here, so a run on a real headset reads like the
// simulator's trace.
#include "DeviceSet.h"

#include <string>

#include "MicWatchWin32.h"
#include "PanelDeviceWin32.h"
#include "TraceFileWin32.h"
#include "TracingPorts.h"
#include "WaveInputWin32.h"

namespace {

class DeviceSetWin32 final : public DeviceSet {
public:
    explicit DeviceSetWin32(HWND mainWindow)
        : hid_(CreateHidBusWin32()),
          driver_(CreateDriverPortWin32()),
          audio_(CreateAudioEndpointsWin32()),
          os_(CreateOsVersionWin32()),
          wave_(mainWindow),
          micWatch_(mainWindow, kMicNoticeMessage),
          trace_(OpenTraceFileWin32(FieldTracePath())) {
        if (trace_) {
            const TraceSink sink = TraceFileSink(*trace_);
            tracedHid_ = std::make_unique<TracingHidBus>(*hid_, sink);
            tracedDriver_ = std::make_unique<TracingDriverPort>(*driver_, sink);
            tracedAudio_ = std::make_unique<TracingAudioEndpoints>(*audio_, sink);
            tracedWave_ = std::make_unique<TracingWaveInput>(wave_, sink);
        }
    }

    IHidBus& Hid() override { return tracedHid_ ? *tracedHid_ : *hid_; }
    IDriverPort& Driver() override { return tracedDriver_ ? *tracedDriver_ : *driver_; }
    IAudioEndpoints& Audio() override { return tracedAudio_ ? *tracedAudio_ : *audio_; }
    IWaveInput& WaveInput() override {
        return tracedWave_ ? static_cast<IWaveInput&>(*tracedWave_) : wave_;
    }
    IOsVersion& Os() override { return *os_; }
    IDeviceEnumerator& Devices() override { return PlatformDeviceEnumerator(); }
    IMicWatch* MicWatch() override { return &micWatch_; }

    int MeterBuffer(LPARAM header, const uint8_t** samples) override {
        const int buffer = wave_.BufferOf(header);
        if (buffer >= 0) {
            *samples = wave_.Samples(buffer);
            if (trace_) {
                trace_->Write("WAVE DATA " + std::to_string(buffer));
            }
        }
        return buffer;
    }

private:
    std::unique_ptr<IHidBus> hid_;
    std::unique_ptr<IDriverPort> driver_;
    std::unique_ptr<IAudioEndpoints> audio_;
    std::unique_ptr<IOsVersion> os_;
    WaveInputWin32 wave_;
    MicWatchWin32 micWatch_;
    // Declared after the ports they wrap, so destroyed before them.
    std::unique_ptr<TraceFileWin32> trace_;
    std::unique_ptr<TracingHidBus> tracedHid_;
    std::unique_ptr<TracingDriverPort> tracedDriver_;
    std::unique_ptr<TracingAudioEndpoints> tracedAudio_;
    std::unique_ptr<TracingWaveInput> tracedWave_;
};

}  // namespace

std::unique_ptr<DeviceSet> CreateDeviceSet(HWND mainWindow) {
    return std::make_unique<DeviceSetWin32>(mainWindow);
}
