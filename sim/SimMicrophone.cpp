#include "SimMicrophone.h"

#include <cmath>
#include <cstdio>

struct SimMicrophone::State {
    explicit State(std::shared_ptr<SimTrace> t) : trace(std::move(t)) {}

    std::shared_ptr<SimTrace> trace;
    SimMicrophoneFaults faults;
    bool plugged = true;
    // Bumped by every unplug: an endpoint handed out before it is dead for good.
    uint32_t generation = 0;
    uint16_t vendorId = 0x3F9C;
    uint16_t productId = 0x4712;
    std::u16string description = u"Microphone (QLN47xx USB Audio)";
    uint32_t step = 50;
    uint32_t stepCount = 101;
    float scalar = 0.5f;
    bool muted = false;
    bool boost = false;

    std::u16string InterfacePath() const {
        char text[96];
        std::snprintf(text, sizeof text,
                      "\\\\?\\usb#vid_%04x&pid_%04x&mi_00#7&2b1c0a3d&0&0000#"
                      "{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global",
                      vendorId, productId);
        // In lower case, as DirectSound reports it: the prefix is compared in any case.
        return std::u16string(text, text + std::char_traits<char>::length(text));
    }

    void SetStep(uint32_t newStep) {
        step = newStep;
        scalar = stepCount >= 2 ? static_cast<float>(step) / static_cast<float>(stepCount - 1) : 0;
    }

    void Trace(const std::string& line) { trace->Add(line); }
};

namespace {

bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
    if (prefix.empty() || text.size() < prefix.size())
        return false;
    const auto upper = [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    };
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (upper(text[i]) != upper(prefix[i]))
            return false;
    }
    return true;
}

std::string Code(uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(code));
    return text;
}

class SimCaptureEndpoint : public ICaptureEndpoint {
public:
    explicit SimCaptureEndpoint(std::shared_ptr<SimMicrophone::State> state)
        : state_(std::move(state)), generation_(state_->generation) {}

    uint32_t GetVolumeStepInfo(uint32_t* step, uint32_t* stepCount) override {
        const uint32_t code = VolumeCode();
        if (code == MIC_OK && state_->faults.stepInfoFails)
            return Fail("EP GET-STEPS", MIC_STEP_INFO_NOT_READ);
        if (code != MIC_OK)
            return Fail("EP GET-STEPS", code);
        if (step)
            *step = state_->step;
        if (stepCount)
            *stepCount = state_->stepCount;
        state_->Trace("EP GET-STEPS " + std::to_string(state_->step) + "/" +
                      std::to_string(state_->stepCount));
        return MIC_OK;
    }

    uint32_t SetMasterVolumeLevelScalar(float level) override {
        const uint32_t code = VolumeCode();
        if (code != MIC_OK)
            return Fail("EP SET-VOLUME", code);
        char text[48];
        std::snprintf(text, sizeof text, "EP SET-VOLUME %.2f", static_cast<double>(level));
        // Windows refuses a scalar outside 0-1 (E_INVALIDARG), which the caller never sees.
        if (!(level >= 0.0f && level <= 1.0f)) {
            state_->Trace(std::string(text) + " (out of range)");
            return MIC_OK;
        }
        state_->scalar = level;
        if (state_->stepCount >= 2)
            state_->step = static_cast<uint32_t>(std::lround(level * (state_->stepCount - 1)));
        state_->Trace(text);
        return MIC_OK;
    }

    uint32_t GetMute(int32_t* mute) override {
        const uint32_t code = MuteCode();
        if (code != MIC_OK)
            return Fail("EP GET-MUTE", code);
        if (mute)
            *mute = state_->muted ? 1 : 0;
        state_->Trace(std::string("EP GET-MUTE ") + (state_->muted ? "1" : "0"));
        return MIC_OK;
    }

    uint32_t SetMute(int32_t mute) override {
        const uint32_t code = MuteCode();
        if (code != MIC_OK)
            return Fail("EP SET-MUTE", code);
        state_->muted = mute != 0;
        state_->Trace(std::string("EP SET-MUTE ") + (state_->muted ? "1" : "0"));
        return MIC_OK;
    }

    uint32_t GetAutoGainControl(int32_t* enabled) override {
        const uint32_t code = GainControlCode();
        if (code != MIC_OK)
            return Fail("EP GET-AGC", code);
        if (enabled)
            *enabled = state_->boost ? 1 : 0;
        state_->Trace(std::string("EP GET-AGC ") + (state_->boost ? "1" : "0"));
        return MIC_OK;
    }

    uint32_t SetAutoGainControl(int32_t enabled) override {
        const uint32_t code = GainControlCode();
        if (code != MIC_OK)
            return Fail("EP SET-AGC", code);
        state_->boost = enabled != 0;
        state_->Trace(std::string("EP SET-AGC ") + (state_->boost ? "1" : "0"));
        return MIC_OK;
    }

private:
    bool Alive() const { return state_->plugged && state_->generation == generation_; }

    // A removed device cannot be activated.
    uint32_t VolumeCode() const {
        return !Alive() || state_->faults.volumeNotObtained ? MIC_VOLUME_NOT_OBTAINED : MIC_OK;
    }

    uint32_t MuteCode() const {
        const uint32_t code = VolumeCode();
        return code != MIC_OK ? code : state_->faults.muteFailure;
    }

    // The walk to the gain control: step 3 (the endpoint's topology) fails on a removed device.
    uint32_t GainControlCode() const {
        const SimMicrophoneFaults& faults = state_->faults;
        if (faults.boostFailStep == 2)
            return 2;
        if (!Alive())
            return 3;
        if (faults.boostFailStep >= 3 && faults.boostFailStep <= 10)
            return faults.boostFailStep;
        return faults.noAutoGainControl ? SimMicrophone::kNoInterface : MIC_OK;
    }

    uint32_t Fail(const std::string& event, uint32_t code) {
        state_->Trace(event + " FAIL " + Code(code));
        return code;
    }

    std::shared_ptr<SimMicrophone::State> state_;
    uint32_t generation_;
};

const char* MixerEvent(MixerControlKind kind) {
    switch (kind) {
        case MIXER_READ_VOLUME:
            return "READ-VOLUME";
        case MIXER_WRITE_VOLUME:
            return "WRITE-VOLUME";
        case MIXER_READ_MUTE:
            return "READ-MUTE";
        case MIXER_WRITE_MUTE:
            return "WRITE-MUTE";
        case MIXER_READ_BOOST:
            return "READ-BOOST";
        case MIXER_WRITE_BOOST:
            return "WRITE-BOOST";
    }
    return "UNKNOWN";
}

}  // namespace

SimMicrophone::SimMicrophone(std::shared_ptr<SimTrace> trace)
    : state_(std::make_shared<State>(std::move(trace))) {}

SimMicrophone::~SimMicrophone() = default;

std::u16string SimMicrophone::FindCaptureDescription(uint16_t vendorId, uint16_t productId) {
    char prefix[40];
    std::snprintf(prefix, sizeof prefix, "\\\\?\\USB#VID_%04X&PID_%04X", vendorId, productId);
    const std::u16string widePrefix(prefix, prefix + std::char_traits<char>::length(prefix));
    if (!state_->plugged || !StartsWithNoCase(state_->InterfacePath(), widePrefix))
        return {};
    return state_->description;
}

std::unique_ptr<ICaptureEndpoint> SimMicrophone::FindCaptureEndpoint(uint16_t vendorId,
                                                                     uint16_t productId) {
    const std::string ids = HexIds(vendorId, productId);
    if (state_->faults.endpointAbsent || FindCaptureDescription(vendorId, productId).empty()) {
        state_->Trace("EP FIND-FAIL " + ids);
        return nullptr;
    }
    state_->Trace("EP FIND " + ids);
    return std::make_unique<SimCaptureEndpoint>(state_);
}

uint32_t SimMicrophone::MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                     uint32_t* maximum, uint16_t vendorId, uint16_t productId) {
    const std::string event = MixerEvent(kind);
    if (state_->faults.mixerAbsent || !value ||
        FindCaptureDescription(vendorId, productId).empty()) {
        state_->Trace("MIX FAIL " + event);
        return 0;
    }
    State& s = *state_;
    switch (kind) {
        case MIXER_READ_VOLUME:
            *value =
                s.stepCount >= 2
                    ? static_cast<uint32_t>(uint64_t{s.step} * kMixerMaximum / (s.stepCount - 1))
                    : 0;
            if (minimum)
                *minimum = 0;
            if (maximum)
                *maximum = kMixerMaximum;
            break;
        case MIXER_WRITE_VOLUME: {
            const uint32_t clamped = *value > kMixerMaximum ? kMixerMaximum : *value;
            s.scalar = static_cast<float>(clamped) / kMixerMaximum;
            if (s.stepCount >= 2)
                s.step = static_cast<uint32_t>(std::lround(s.scalar * (s.stepCount - 1)));
            break;
        }
        case MIXER_READ_MUTE:
            *value = s.muted ? 1 : 0;
            break;
        case MIXER_WRITE_MUTE:
            s.muted = *value != 0;
            break;
        case MIXER_READ_BOOST:
            *value = s.boost ? 1 : 0;
            break;
        case MIXER_WRITE_BOOST:
            s.boost = *value != 0;
            break;
        default:
            state_->Trace("MIX FAIL " + event);
            return 0;
    }
    state_->Trace("MIX " + event + " " + std::to_string(*value));
    return 1;
}

SimMicrophoneFaults& SimMicrophone::Faults() {
    return state_->faults;
}

void SimMicrophone::SetPlugged(bool plugged) {
    if (state_->plugged && !plugged)
        ++state_->generation;
    state_->plugged = plugged;
}

void SimMicrophone::SetIds(uint16_t vendorId, uint16_t productId) {
    state_->vendorId = vendorId;
    state_->productId = productId;
}

void SimMicrophone::SetVolumeSteps(uint32_t step, uint32_t stepCount) {
    state_->stepCount = stepCount;
    state_->SetStep(step);
}

uint32_t SimMicrophone::VolumeStep() const {
    return state_->step;
}
uint32_t SimMicrophone::VolumeStepCount() const {
    return state_->stepCount;
}
float SimMicrophone::VolumeScalar() const {
    return state_->scalar;
}
bool SimMicrophone::Muted() const {
    return state_->muted;
}
void SimMicrophone::SetMuted(bool muted) {
    state_->muted = muted;
}
bool SimMicrophone::Boost() const {
    return state_->boost;
}
void SimMicrophone::SetBoost(bool boost) {
    state_->boost = boost;
}
const std::u16string& SimMicrophone::Description() const {
    return state_->description;
}
