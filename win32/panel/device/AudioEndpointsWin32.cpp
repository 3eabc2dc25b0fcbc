#include "AudioEndpointsWin32.h"

#include "PanelDeviceWin32.h"

namespace {

class CaptureDevicesWin32 : public ICaptureDevices {
public:
    std::vector<DirectSoundCaptureEntry> DirectSoundCaptureDevices() override {
        return DirectSoundCaptureDevicesWin32();
    }

    std::vector<CaptureEndpointEntry> ActiveCaptureEndpoints() override {
        return ActiveCaptureEndpointsWin32();
    }

    std::unique_ptr<ICaptureEndpoint> OpenEndpoint(const std::u16string& id) override {
        return OpenCaptureEndpointWin32(id);
    }

    uint32_t MixerControlByDescription(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                       uint32_t* maximum,
                                       const std::u16string& description) override {
        return ::MixerControlByDescription(kind, value, minimum, maximum, description);
    }
};

// The portable search over the real enumerations.
class AudioEndpointsWin32 : public IAudioEndpoints {
public:
    std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) override {
        return search_.FindCaptureDescription(vendorId, productId);
    }

    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                          uint16_t productId) override {
        return search_.FindCaptureEndpoint(vendorId, productId);
    }

    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t vendorId, uint16_t productId) override {
        return search_.MixerControl(kind, value, minimum, maximum, vendorId, productId);
    }

private:
    CaptureDevicesWin32 devices_;
    CaptureSearch search_{devices_};
};

}  // namespace

std::unique_ptr<IAudioEndpoints> CreateAudioEndpointsWin32() {
    return std::make_unique<AudioEndpointsWin32>();
}
