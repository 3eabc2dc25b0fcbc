#include "TracingPorts.h"

#include <vector>

#include "TraceFormat.h"

namespace {

class TracingHidDevice : public IHidDevice {
public:
    TracingHidDevice(std::unique_ptr<IHidDevice> inner, const TraceSink& sink)
        : inner_(std::move(inner)), sink_(sink) {}
    ~TracingHidDevice() override {
        inner_.reset();
        sink_("HID CLOSE");
    }
    TracingHidDevice(const TracingHidDevice&) = delete;
    TracingHidDevice& operator=(const TracingHidDevice&) = delete;

    bool GetCaps(HidCaps& caps) override { return inner_->GetCaps(caps); }
    bool SetOutputReport(const uint8_t* report, uint32_t length) override {
        const bool accepted = inner_->SetOutputReport(report, length);
        sink_(HidSetLine(report, length, accepted));
        return accepted;
    }
    bool GetInputReport(uint8_t* report, uint32_t length) override {
        const bool delivered = inner_->GetInputReport(report, length);
        sink_(HidGetLine(report, length, delivered));
        return delivered;
    }

private:
    std::unique_ptr<IHidDevice> inner_;
    TraceSink sink_;
};

class TracingDriverHandle : public IDriverHandle {
public:
    TracingDriverHandle(std::unique_ptr<IDriverHandle> inner, const TraceSink& sink)
        : inner_(std::move(inner)), sink_(sink) {}

    bool DeviceIoControl(uint32_t code, const void* in, uint32_t inSize, void* out,
                         uint32_t outSize, uint32_t* returned) override {
        // The input as it was sent: the driver may write its answer into the same buffer.
        const auto* bytes = static_cast<const uint8_t*>(in);
        const std::vector<uint8_t> sent(bytes, bytes ? bytes + inSize : bytes);
        const bool accepted = inner_->DeviceIoControl(code, in, inSize, out, outSize, returned);
        sink_(DriverCommandLine(code, sent.data(), sent.size(), accepted));
        return accepted;
    }

private:
    std::unique_ptr<IDriverHandle> inner_;
    TraceSink sink_;
};

class TracingCaptureEndpoint : public ICaptureEndpoint {
public:
    TracingCaptureEndpoint(std::unique_ptr<ICaptureEndpoint> inner, const TraceSink& sink)
        : inner_(std::move(inner)), sink_(sink) {}

    std::u16string Id() const override { return inner_->Id(); }
    uint32_t GetVolumeStepInfo(uint32_t* step, uint32_t* stepCount) override {
        uint32_t s = 0;
        uint32_t c = 0;
        const uint32_t code = inner_->GetVolumeStepInfo(&s, &c);
        if (code != MIC_OK)
            return Fail("EP GET-STEPS", code);
        if (step)
            *step = s;
        if (stepCount)
            *stepCount = c;
        sink_("EP GET-STEPS " + std::to_string(s) + "/" + std::to_string(c));
        return code;
    }
    uint32_t SetMasterVolumeLevelScalar(float level) override {
        const uint32_t code = inner_->SetMasterVolumeLevelScalar(level);
        if (code != MIC_OK)
            return Fail("EP SET-VOLUME", code);
        sink_(EndpointVolumeLine(level));
        return code;
    }
    uint32_t GetMute(int32_t* mute) override {
        int32_t value = 0;
        const uint32_t code = inner_->GetMute(&value);
        if (code != MIC_OK)
            return Fail("EP GET-MUTE", code);
        if (mute)
            *mute = value;
        sink_(Flag("EP GET-MUTE", value));
        return code;
    }
    uint32_t SetMute(int32_t mute) override {
        const uint32_t code = inner_->SetMute(mute);
        if (code != MIC_OK)
            return Fail("EP SET-MUTE", code);
        sink_(Flag("EP SET-MUTE", mute));
        return code;
    }
    uint32_t GetAutoGainControl(int32_t* enabled) override {
        int32_t value = 0;
        const uint32_t code = inner_->GetAutoGainControl(&value);
        if (code != MIC_OK)
            return Fail("EP GET-AGC", code);
        if (enabled)
            *enabled = value;
        sink_(Flag("EP GET-AGC", value));
        return code;
    }
    uint32_t SetAutoGainControl(int32_t enabled) override {
        const uint32_t code = inner_->SetAutoGainControl(enabled);
        if (code != MIC_OK)
            return Fail("EP SET-AGC", code);
        sink_(Flag("EP SET-AGC", enabled));
        return code;
    }

private:
    static std::string Flag(const char* event, int32_t value) {
        return std::string(event) + (value != 0 ? " 1" : " 0");
    }
    uint32_t Fail(const char* event, uint32_t code) {
        sink_(EndpointFailLine(event, code));
        return code;
    }

    std::unique_ptr<ICaptureEndpoint> inner_;
    TraceSink sink_;
};

}  // namespace

std::unique_ptr<IHidDevice> TracingHidBus::OpenHidDevice(uint16_t vendorId, uint16_t productId) {
    std::unique_ptr<IHidDevice> device = inner_.OpenHidDevice(vendorId, productId);
    const std::string ids = HexIds(vendorId, productId);
    if (!device) {
        sink_("HID OPEN-FAIL " + ids);
        return nullptr;
    }
    sink_("HID OPEN " + ids);
    return std::make_unique<TracingHidDevice>(std::move(device), sink_);
}

std::unique_ptr<IDriverHandle> TracingDriverPort::Open(const std::u16string& devicePath) {
    std::unique_ptr<IDriverHandle> handle = inner_.Open(devicePath);
    if (!handle) {
        sink_("DRV OPEN-FAIL");
        return nullptr;
    }
    return std::make_unique<TracingDriverHandle>(std::move(handle), sink_);
}

std::u16string TracingAudioEndpoints::FindCaptureDescription(uint16_t vendorId,
                                                             uint16_t productId) {
    return inner_.FindCaptureDescription(vendorId, productId);
}

std::unique_ptr<ICaptureEndpoint> TracingAudioEndpoints::FindCaptureEndpoint(uint16_t vendorId,
                                                                             uint16_t productId) {
    std::unique_ptr<ICaptureEndpoint> endpoint = inner_.FindCaptureEndpoint(vendorId, productId);
    const std::string ids = HexIds(vendorId, productId);
    if (!endpoint) {
        sink_("EP FIND-FAIL " + ids);
        return nullptr;
    }
    sink_("EP FIND " + ids);
    return std::make_unique<TracingCaptureEndpoint>(std::move(endpoint), sink_);
}

uint32_t TracingAudioEndpoints::MixerControl(MixerControlKind kind, uint32_t* value,
                                             uint32_t* minimum, uint32_t* maximum,
                                             uint16_t vendorId, uint16_t productId) {
    const uint32_t done = inner_.MixerControl(kind, value, minimum, maximum, vendorId, productId);
    sink_(MixerLine(kind, done == 1, value ? *value : 0));
    return done;
}

std::vector<WaveInDeviceEntry> TracingWaveInput::Devices() {
    return inner_.Devices();
}

bool TracingWaveInput::Start(int device) {
    const bool started = inner_.Start(device);
    sink_(started ? "WAVE START" : "WAVE START-FAIL");
    return started;
}

void TracingWaveInput::Stop() {
    const bool open = inner_.IsOpen();
    inner_.Stop();
    if (open)
        sink_("WAVE STOP");
}

void TracingWaveInput::Requeue(int buffer) {
    const bool open = inner_.IsOpen();
    inner_.Requeue(buffer);
    if (open)
        sink_("WAVE REQUEUE " + std::to_string(buffer));
}
