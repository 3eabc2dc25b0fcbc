#include "AudioEndpointsWin32.h"

#include "PanelDeviceWin32.h"

namespace {

class AudioEndpointsWin32 : public IAudioEndpoints {
public:
    std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) override {
        return FindCaptureDescriptionByPrefix(CapturePathPrefix(vendorId, productId));
    }

    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                          uint16_t productId) override {
        return FindCaptureEndpointByDescription(FindCaptureDescription(vendorId, productId));
    }

    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t vendorId, uint16_t productId) override {
        return MixerControlByDescription(kind, value, minimum, maximum,
                                         FindCaptureDescription(vendorId, productId));
    }
};

}  // namespace

std::u16string CapturePathPrefix(uint16_t vendorId, uint16_t productId) {
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    auto hex4 = [](uint16_t value) {
        std::u16string text;
        for (int shift = 12; shift >= 0; shift -= 4)
            text += kDigits[(value >> shift) & 0xF];
        return text;
    };
    return u"\\\\?\\USB#VID_" + hex4(vendorId) + u"&PID_" + hex4(productId);
}

std::unique_ptr<IAudioEndpoints> CreateAudioEndpointsWin32() {
    return std::make_unique<AudioEndpointsWin32>();
}
