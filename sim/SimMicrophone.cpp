#include "SimMicrophone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "CaptureSearch.h"

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
    int liveEndpoints = 0;

    const SimOsVersion* os = nullptr;

    // Registered watches: the endpoint's volume and device callbacks, or the mixer line's.
    struct Watcher {
        bool endpoint = true;
        std::function<void(const MicNotice&)> post;
    };
    std::vector<const Watcher*> watchers;

    // Every registered watch hears of the change, as Windows' callbacks would; each notice is
    // traced here and delivered later by its watch's post.
    void Notify(MicChange change) {
        const std::vector<const Watcher*> now = watchers;
        for (const Watcher* watcher : now) {
            MicNotice notice;
            notice.change = change;
            if (!watcher->endpoint) {
                if (change != MicChange::Controls)
                    continue;
                Trace("MIX NOTIFY");
            } else if (change == MicChange::Removed) {
                Trace("EP NOTIFY REMOVED");
            } else {
                notice.valuesKnown = true;
                notice.mute = muted ? 1 : 0;
                notice.level = static_cast<uint32_t>(std::lround(scalar * 100.0f));
                char text[48];
                std::snprintf(text, sizeof text, "EP NOTIFY MUTE %d VOLUME %.2f", notice.mute,
                              static_cast<double>(scalar));
                Trace(text);
            }
            watcher->post(notice);
        }
    }

    // Vista and later present endpoint IDs where XP presented interface paths.
    bool CoreAudio() const {
        return !os || (os->info.platformId == 2 && os->info.majorVersion >= 6);
    }

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

// The machine's own microphone, always there beside the headset.
const char16_t kOtherDescription[] = u"Microphone (High Definition Audio Device)";
const char16_t kOtherPath[] =
    u"\\\\?\\hdaudio#func_01&ven_10ec&dev_0662&subsys_103c1234&rev_1001#4&2f3a9b1&0&0001#"
    u"{6994ad04-93ef-11d0-a3cc-00a0c9223196}\\emicin";
const char16_t kOtherEndpointId[] = u"{0.0.1.00000000}.{5d3c1f0a-2b7e-4c61-9a0e-3f2d8b7c6e01}";
const char16_t kHeadsetEndpointId[] = u"{0.0.1.00000000}.{a9e1c3b2-7f64-4d2a-8e15-0c9b6d4f3a72}";
// Core Audio's adapter IDs put the topology's number before the interface path.
const char16_t kAdapterIdHead[] = u"{2}.";

class SimCaptureEndpoint : public ICaptureEndpoint {
public:
    explicit SimCaptureEndpoint(std::shared_ptr<SimMicrophone::State> state)
        : state_(std::move(state)), generation_(state_->generation) {
        ++state_->liveEndpoints;
    }
    ~SimCaptureEndpoint() override { --state_->liveEndpoints; }

    std::u16string Id() const override { return kHeadsetEndpointId; }

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
        // Windows refuses a scalar outside 0-1 (E_INVALIDARG), which the caller never sees.
        if (level >= 0.0f && level <= 1.0f) {
            state_->scalar = level;
            if (state_->stepCount >= 2)
                state_->step = static_cast<uint32_t>(std::lround(level * (state_->stepCount - 1)));
        }
        state_->Trace(EndpointVolumeLine(level));
        if (level >= 0.0f && level <= 1.0f)
            state_->Notify(MicChange::Controls);
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
        state_->Notify(MicChange::Controls);
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
        state_->Trace(EndpointFailLine(event, code));
        return code;
    }

    std::shared_ptr<SimMicrophone::State> state_;
    uint32_t generation_;
};

// The mixer's line name holds at most 31 characters: names agree over the shorter length.
bool NamesAgree(const std::u16string& lineName, const std::u16string& description) {
    if (description.empty())
        return false;
    const std::u16string name = lineName.substr(0, 31);
    const size_t length = std::min(name.size(), description.size());
    for (size_t i = 0; i < length; ++i) {
        const auto upper = [](char16_t c) {
            return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
        };
        if (upper(name[i]) != upper(description[i]))
            return false;
    }
    return true;
}

}  // namespace

// The capture devices as the machine's Windows generation presents them: DirectSound's module is
// the interface path on XP and the endpoint ID from Vista on; Core Audio exists from Vista on.
// The machine's own microphone is listed first; it cannot be driven.
class SimCaptureDevices : public ICaptureDevices {
public:
    explicit SimCaptureDevices(std::shared_ptr<SimMicrophone::State> state)
        : state_(std::move(state)) {}

    std::vector<DirectSoundCaptureEntry> DirectSoundCaptureDevices() override {
        const bool coreAudio = state_->CoreAudio();
        std::vector<DirectSoundCaptureEntry> devices = {
            {kOtherDescription, coreAudio ? kOtherEndpointId : kOtherPath}};
        if (state_->plugged)
            devices.push_back(
                {state_->description, coreAudio ? kHeadsetEndpointId : state_->InterfacePath()});
        return devices;
    }

    std::vector<CaptureEndpointEntry> ActiveCaptureEndpoints() override {
        if (!state_->CoreAudio())
            return {};
        std::vector<CaptureEndpointEntry> endpoints = {
            {kOtherEndpointId, kOtherDescription, kAdapterIdHead + std::u16string(kOtherPath)}};
        if (state_->plugged)
            endpoints.push_back({kHeadsetEndpointId, state_->description,
                                 kAdapterIdHead + state_->InterfacePath()});
        return endpoints;
    }

    std::unique_ptr<ICaptureEndpoint> OpenEndpoint(const std::u16string& id) override {
        if (id != kHeadsetEndpointId || !state_->plugged || state_->faults.endpointAbsent)
            return nullptr;
        return std::make_unique<SimCaptureEndpoint>(state_);
    }

    uint32_t MixerControlByDescription(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                       uint32_t* maximum,
                                       const std::u16string& description) override;

private:
    std::shared_ptr<SimMicrophone::State> state_;
};

namespace {

// The platform's watch as the panel holds it: it registers before it is handed any notice and
// unregisters before it lets go of the endpoint it holds, as Windows requires.
class SimMicWatch : public IMicWatch {
public:
    SimMicWatch(std::shared_ptr<SimMicrophone::State> state,
                std::function<void(const MicNotice&)> post)
        : state_(std::move(state)) {
        watcher_.post = std::move(post);
    }
    ~SimMicWatch() override { Stop(); }
    SimMicWatch(const SimMicWatch&) = delete;
    SimMicWatch& operator=(const SimMicWatch&) = delete;

    bool Start(const std::u16string& endpointId, uint16_t vendorId, uint16_t productId) override {
        Stop();
        SimMicrophone::State& s = *state_;
        const bool endpoint = !endpointId.empty();
        if (endpoint) {
            if (endpointId != kHeadsetEndpointId || !s.plugged || s.faults.endpointAbsent ||
                s.faults.volumeNotObtained) {
                s.Trace("EP WATCH-FAIL");
                return false;
            }
            endpoint_ = std::make_unique<SimCaptureEndpoint>(state_);
        } else if (s.faults.mixerAbsent || !s.plugged || vendorId != s.vendorId ||
                   productId != s.productId) {
            s.Trace("MIX WATCH-FAIL");
            return false;
        }
        watcher_.endpoint = endpoint;
        s.watchers.push_back(&watcher_);
        watching_ = true;
        s.Trace(endpoint ? "EP WATCH" : "MIX WATCH");
        return true;
    }

    void Stop() override {
        if (!watching_)
            return;
        auto& list = state_->watchers;
        list.erase(std::remove(list.begin(), list.end(), &watcher_), list.end());
        watching_ = false;
        state_->Trace(watcher_.endpoint ? "EP UNWATCH" : "MIX UNWATCH");
        endpoint_.reset();
    }

    bool Watching() const override { return watching_; }

private:
    std::shared_ptr<SimMicrophone::State> state_;
    SimMicrophone::State::Watcher watcher_;
    std::unique_ptr<ICaptureEndpoint> endpoint_;  // the volume the registration is made on
    bool watching_ = false;
};

}  // namespace

std::unique_ptr<IMicWatch> SimMicrophone::NewWatch(std::function<void(const MicNotice&)> post) {
    return std::make_unique<SimMicWatch>(state_, std::move(post));
}

void SimMicrophone::MuteElsewhere(bool muted) {
    state_->muted = muted;
    state_->Notify(MicChange::Controls);
}

int SimMicrophone::Watchers() const {
    return static_cast<int>(state_->watchers.size());
}

SimMicrophone::SimMicrophone(std::shared_ptr<SimTrace> trace)
    : state_(std::make_shared<State>(std::move(trace))),
      devices_(std::make_unique<SimCaptureDevices>(state_)) {}

SimMicrophone::~SimMicrophone() = default;

int SimMicrophone::LiveEndpoints() const {
    return state_->liveEndpoints;
}

std::u16string SimMicrophone::FindCaptureDescription(uint16_t vendorId, uint16_t productId) {
    return CaptureSearch(*devices_).FindCaptureDescription(vendorId, productId);
}

std::unique_ptr<ICaptureEndpoint> SimMicrophone::FindCaptureEndpoint(uint16_t vendorId,
                                                                     uint16_t productId) {
    const std::string ids = HexIds(vendorId, productId);
    std::unique_ptr<ICaptureEndpoint> endpoint =
        CaptureSearch(*devices_).FindCaptureEndpoint(vendorId, productId);
    state_->Trace((endpoint ? "EP FIND " : "EP FIND-FAIL ") + ids);
    return endpoint;
}

uint32_t SimMicrophone::MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                     uint32_t* maximum, uint16_t vendorId, uint16_t productId) {
    return CaptureSearch(*devices_).MixerControl(kind, value, minimum, maximum, vendorId,
                                                 productId);
}

uint32_t SimCaptureDevices::MixerControlByDescription(MixerControlKind kind, uint32_t* value,
                                                      uint32_t* minimum, uint32_t* maximum,
                                                      const std::u16string& description) {
    if (state_->faults.mixerAbsent || !value || !state_->plugged ||
        !NamesAgree(state_->description, description)) {
        state_->Trace(MixerLine(kind, false, 0));
        return 0;
    }
    SimMicrophone::State& s = *state_;
    switch (kind) {
        case MIXER_READ_VOLUME:
            *value = s.stepCount >= 2
                         ? static_cast<uint32_t>(uint64_t{s.step} * SimMicrophone::kMixerMaximum /
                                                 (s.stepCount - 1))
                         : 0;
            if (minimum)
                *minimum = 0;
            if (maximum)
                *maximum = SimMicrophone::kMixerMaximum;
            break;
        case MIXER_WRITE_VOLUME: {
            const uint32_t clamped =
                *value > SimMicrophone::kMixerMaximum ? SimMicrophone::kMixerMaximum : *value;
            s.scalar = static_cast<float>(clamped) / SimMicrophone::kMixerMaximum;
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
            state_->Trace(MixerLine(kind, false, 0));
            return 0;
    }
    state_->Trace(MixerLine(kind, true, *value));
    if (kind == MIXER_WRITE_VOLUME || kind == MIXER_WRITE_MUTE || kind == MIXER_WRITE_BOOST)
        state_->Notify(MicChange::Controls);
    return 1;
}

std::vector<WaveInDeviceEntry> SimMicrophone::WaveInDevices() const {
    // winmm reads endpoint IDs from Vista on; before, the interface paths.
    const bool coreAudio = state_->CoreAudio();
    const auto entry = [coreAudio](const std::u16string& endpointId, const std::u16string& path) {
        return coreAudio ? WaveInDeviceEntry{endpointId, u""} : WaveInDeviceEntry{u"", path};
    };
    std::vector<WaveInDeviceEntry> devices = {entry(kOtherEndpointId, kOtherPath)};
    if (state_->plugged)
        devices.push_back(entry(kHeadsetEndpointId, state_->InterfacePath()));
    return devices;
}

SimMicrophoneFaults& SimMicrophone::Faults() {
    return state_->faults;
}

void SimMicrophone::SetPlugged(bool plugged) {
    const bool removed = state_->plugged && !plugged;
    if (removed)
        ++state_->generation;
    state_->plugged = plugged;
    if (removed)
        state_->Notify(MicChange::Removed);
}

void SimMicrophone::PresentAs(const SimOsVersion* os) {
    state_->os = os;
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
