// The real devices: Win32 HID, driver, audio and device-tree adapters.
#include "DeviceSet.h"

#include "PanelDeviceWin32.h"
#include "WaveInputWin32.h"

namespace {

class DeviceSetWin32 final : public DeviceSet {
public:
    explicit DeviceSetWin32(HWND mainWindow)
        : hid_(CreateHidBusWin32()),
          driver_(CreateDriverPortWin32()),
          audio_(CreateAudioEndpointsWin32()),
          os_(CreateOsVersionWin32()),
          wave_(mainWindow) {}

    IHidBus& Hid() override { return *hid_; }
    IDriverPort& Driver() override { return *driver_; }
    IAudioEndpoints& Audio() override { return *audio_; }
    IWaveInput& WaveInput() override { return wave_; }
    IOsVersion& Os() override { return *os_; }
    IDeviceEnumerator& Devices() override { return PlatformDeviceEnumerator(); }

    int MeterBuffer(LPARAM header, const uint8_t** samples) override {
        const int buffer = wave_.BufferOf(header);
        if (buffer >= 0) {
            *samples = wave_.Samples(buffer);
        }
        return buffer;
    }

private:
    std::unique_ptr<IHidBus> hid_;
    std::unique_ptr<IDriverPort> driver_;
    std::unique_ptr<IAudioEndpoints> audio_;
    std::unique_ptr<IOsVersion> os_;
    WaveInputWin32 wave_;
};

}  // namespace

std::unique_ptr<DeviceSet> CreateDeviceSet(HWND mainWindow) {
    return std::make_unique<DeviceSetWin32>(mainWindow);
}
