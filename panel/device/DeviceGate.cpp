#include "DeviceGate.h"

#include <string>
#include <utility>

namespace {

using OpenFlag = std::shared_ptr<bool>;

class GatedHidDevice final : public IHidDevice {
public:
    GatedHidDevice(std::unique_ptr<IHidDevice> inner, OpenFlag open)
        : inner_(std::move(inner)), open_(std::move(open)) {}
    bool GetCaps(HidCaps& caps) override { return *open_ && inner_->GetCaps(caps); }
    bool SetOutputReport(const uint8_t* report, uint32_t length) override {
        return *open_ && inner_->SetOutputReport(report, length);
    }
    bool GetInputReport(uint8_t* report, uint32_t length) override {
        return *open_ && inner_->GetInputReport(report, length);
    }

private:
    std::unique_ptr<IHidDevice> inner_;
    OpenFlag open_;
};

class GatedDriverHandle final : public IDriverHandle {
public:
    GatedDriverHandle(std::unique_ptr<IDriverHandle> inner, OpenFlag open)
        : inner_(std::move(inner)), open_(std::move(open)) {}
    bool DeviceIoControl(uint32_t code, const void* in, uint32_t inSize, void* out,
                         uint32_t outSize, uint32_t* returned) override {
        return *open_ && inner_->DeviceIoControl(code, in, inSize, out, outSize, returned);
    }

private:
    std::unique_ptr<IDriverHandle> inner_;
    OpenFlag open_;
};

class GatedCaptureEndpoint final : public ICaptureEndpoint {
public:
    GatedCaptureEndpoint(std::unique_ptr<ICaptureEndpoint> inner, OpenFlag open)
        : inner_(std::move(inner)), open_(std::move(open)) {}
    std::u16string Id() const override { return inner_->Id(); }  // no traffic: already read
    uint32_t GetVolumeStepInfo(uint32_t* step, uint32_t* stepCount) override {
        return *open_ ? inner_->GetVolumeStepInfo(step, stepCount) : MIC_VOLUME_NOT_OBTAINED;
    }
    uint32_t SetMasterVolumeLevelScalar(float level) override {
        return *open_ ? inner_->SetMasterVolumeLevelScalar(level) : MIC_VOLUME_NOT_OBTAINED;
    }
    uint32_t GetMute(int32_t* mute) override {
        return *open_ ? inner_->GetMute(mute) : MIC_VOLUME_NOT_OBTAINED;
    }
    uint32_t SetMute(int32_t mute) override {
        return *open_ ? inner_->SetMute(mute) : MIC_VOLUME_NOT_OBTAINED;
    }
    // 2: the walk's first step, as when the endpoint has no topology.
    uint32_t GetAutoGainControl(int32_t* enabled) override {
        return *open_ ? inner_->GetAutoGainControl(enabled) : 2;
    }
    uint32_t SetAutoGainControl(int32_t enabled) override {
        return *open_ ? inner_->SetAutoGainControl(enabled) : 2;
    }

private:
    std::unique_ptr<ICaptureEndpoint> inner_;
    OpenFlag open_;
};

}  // namespace

class DeviceGate::GatedHid final : public IHidBus {
public:
    GatedHid(IHidBus& inner, OpenFlag open) : inner_(inner), open_(std::move(open)) {}
    std::unique_ptr<IHidDevice> OpenHidDevice(uint16_t vendorId, uint16_t productId) override {
        if (!*open_) {
            return nullptr;
        }
        auto device = inner_.OpenHidDevice(vendorId, productId);
        return device ? std::make_unique<GatedHidDevice>(std::move(device), open_) : nullptr;
    }

private:
    IHidBus& inner_;
    OpenFlag open_;
};

class DeviceGate::GatedDriver final : public IDriverPort {
public:
    GatedDriver(IDriverPort& inner, OpenFlag open) : inner_(inner), open_(std::move(open)) {}
    std::unique_ptr<IDriverHandle> Open(const std::u16string& devicePath) override {
        if (!*open_) {
            return nullptr;
        }
        auto handle = inner_.Open(devicePath);
        return handle ? std::make_unique<GatedDriverHandle>(std::move(handle), open_) : nullptr;
    }

private:
    IDriverPort& inner_;
    OpenFlag open_;
};

class DeviceGate::GatedAudio final : public IAudioEndpoints {
public:
    GatedAudio(IAudioEndpoints& inner, OpenFlag open) : inner_(inner), open_(std::move(open)) {}
    std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) override {
        return *open_ ? inner_.FindCaptureDescription(vendorId, productId) : std::u16string();
    }
    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                          uint16_t productId) override {
        if (!*open_) {
            return nullptr;
        }
        auto endpoint = inner_.FindCaptureEndpoint(vendorId, productId);
        return endpoint ? std::make_unique<GatedCaptureEndpoint>(std::move(endpoint), open_)
                        : nullptr;
    }
    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t vendorId, uint16_t productId) override {
        return *open_ ? inner_.MixerControl(kind, value, minimum, maximum, vendorId, productId) : 0;
    }

private:
    IAudioEndpoints& inner_;
    OpenFlag open_;
};

// A stream already running may still be stopped: that ends the panel's own capture.
class DeviceGate::GatedWave final : public IWaveInput {
public:
    GatedWave(IWaveInput& inner, OpenFlag open) : inner_(inner), open_(std::move(open)) {}
    std::vector<WaveInDeviceEntry> Devices() override {
        return *open_ ? inner_.Devices() : std::vector<WaveInDeviceEntry>{};
    }
    bool Start(int device) override { return *open_ && inner_.Start(device); }
    void Stop() override { inner_.Stop(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    void Requeue(int buffer) override {
        if (*open_) {
            inner_.Requeue(buffer);
        }
    }

private:
    IWaveInput& inner_;
    OpenFlag open_;
};

DeviceGate::DeviceGate(IHidBus& hid, IDriverPort& driver, IAudioEndpoints& audio,
                       IWaveInput& waveInput)
    : open_(std::make_shared<bool>(true)),
      hid_(std::make_unique<GatedHid>(hid, open_)),
      driver_(std::make_unique<GatedDriver>(driver, open_)),
      audio_(std::make_unique<GatedAudio>(audio, open_)),
      wave_(std::make_unique<GatedWave>(waveInput, open_)) {}

DeviceGate::~DeviceGate() = default;

IHidBus& DeviceGate::Hid() {
    return *hid_;
}

IDriverPort& DeviceGate::Driver() {
    return *driver_;
}

IAudioEndpoints& DeviceGate::Audio() {
    return *audio_;
}

IWaveInput& DeviceGate::WaveInput() {
    return *wave_;
}
