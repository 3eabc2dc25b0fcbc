#include "MicOperations.h"

#include "ControlTags.h"
#include "DebugTrace.h"
#include "LabelText.h"
#include "Microphone.h"
#include "SliderMapping.h"

void PlaceMicSlider(PanelContext& ctx) {
    Point at = ctx.view.ImagePosition(TAG_MIC_SLIDER);
    at.y = MicTopFromLevel(ctx.state.micLevel, ctx.skin.micTop0, ctx.skin.sliderTravel);
    ctx.view.MoveImage(TAG_MIC_SLIDER, at);
}

namespace {

bool UsesCoreAudio(const PanelContext& ctx) {
    return ctx.device.osGeneration == kCoreAudioGeneration;
}

// The device state's endpoint for one step: looked up unless held, dropped afterwards.
class EndpointUse {
public:
    explicit EndpointUse(PanelContext& ctx) : device_(ctx.device) {
        if (!device_.captureEndpoint) {
            LookUpCaptureEndpoint(device_, ctx.audio);
        }
    }
    ~EndpointUse() { device_.captureEndpoint.reset(); }
    EndpointUse(const EndpointUse&) = delete;
    EndpointUse& operator=(const EndpointUse&) = delete;

    ICaptureEndpoint* get() const { return device_.captureEndpoint.get(); }

private:
    DeviceState& device_;
};

bool Mixer(PanelContext& ctx, MixerControlKind kind, uint32_t* value, uint32_t* minimum = nullptr,
           uint32_t* maximum = nullptr) {
    uint32_t unusedMin = 0;
    uint32_t unusedMax = 0;
    return ctx.audio.MixerControl(kind, value, minimum ? minimum : &unusedMin,
                                  maximum ? maximum : &unusedMax, ctx.device.vendorId,
                                  ctx.device.productId) == 1;
}

void ShowLevel(PanelContext& ctx, int32_t level) {
    ctx.state.micLevel = level;
    ctx.view.SetLabelText(TAG_MIC_SLIDER, DecimalText(level));
    PlaceMicSlider(ctx);
}

void ShowSwitch(PanelContext& ctx, int tag, int32_t& field, bool on) {
    field = on ? 1 : 0;
    ctx.view.ShowToggle(tag, on);
}

// 0, or 1 when the level could not be read.
uint32_t RefreshLevel(PanelContext& ctx) {
    if (UsesCoreAudio(ctx)) {
        EndpointUse endpoint(ctx);
        uint32_t level = 0;
        if (!endpoint.get() || ReadMicLevel(*endpoint.get(), &level) != 0) {
            return 1;
        }
        ShowLevel(ctx, static_cast<int32_t>(level > 100 ? 100 : level));
        return 0;
    }
    uint32_t value = 0;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    // A control without a range has no level to show, as an endpoint with a single step has none.
    if (!Mixer(ctx, MIXER_READ_VOLUME, &value, &minimum, &maximum) || maximum <= minimum) {
        return 1;
    }
    const double level = static_cast<double>(value) / (maximum - minimum) * 100.0;
    ShowLevel(ctx, static_cast<int32_t>(level > 100.0 ? 100.0 : level));
    return 0;
}

uint32_t RefreshBoostAndMute(PanelContext& ctx) {
    PanelState& s = ctx.state;
    if (UsesCoreAudio(ctx)) {
        EndpointUse endpoint(ctx);
        if (!endpoint.get()) {
            return 2;
        }
        // A microphone without automatic gain control has no boost; its mute is still read.
        int32_t boost = 0;
        const uint32_t boostCode = endpoint.get()->GetAutoGainControl(&boost);
        if (boostCode != 0 && !MicHasNoBoost(boostCode)) {
            return 2;
        }
        ShowSwitch(ctx, TAG_MIC_BOOST, s.micBoost, boost != 0);
        int32_t mute = s.micMute;
        if (endpoint.get()->GetMute(&mute) != 0) {
            return 3;
        }
        ShowSwitch(ctx, TAG_MIC_MUTE, s.micMute, mute != 0);
        return 0;
    }
    uint32_t boost = 0;
    if (!Mixer(ctx, MIXER_READ_BOOST, &boost)) {
        return 2;
    }
    ShowSwitch(ctx, TAG_MIC_BOOST, s.micBoost, boost != 0);
    uint32_t mute = 0;
    if (!Mixer(ctx, MIXER_READ_MUTE, &mute)) {
        return 3;
    }
    ShowSwitch(ctx, TAG_MIC_MUTE, s.micMute, mute != 0);
    return 0;
}

}  // namespace

uint32_t MicrophoneVolume(PanelContext& ctx, int32_t level) {
    const uint32_t v = static_cast<uint32_t>(level < 0 ? 0 : (level > 100 ? 100 : level));
    if (!UsesCoreAudio(ctx)) {
        uint32_t value = v * 0xFFFF / 100;
        return Mixer(ctx, MIXER_WRITE_VOLUME, &value) ? 0 : 2;
    }
    EndpointUse endpoint(ctx);
    if (!endpoint.get()) {
        return 1;
    }
    DebugOutput(u" " + DecimalText(static_cast<int32_t>(v)) + u"\n");
    return WriteMicLevel(*endpoint.get(), v) == 0 ? 0 : 2;
}

uint32_t DisplayRefresh(PanelContext& ctx) {
    const uint32_t rc = RefreshLevel(ctx);
    return rc != 0 ? rc : RefreshBoostAndMute(ctx);
}

uint32_t MicBoostWrite(PanelContext& ctx, int32_t on) {
    if (!UsesCoreAudio(ctx)) {
        uint32_t value = on != 0 ? 1 : 0;
        return Mixer(ctx, MIXER_WRITE_BOOST, &value) ? 0 : 2;
    }
    EndpointUse endpoint(ctx);
    return endpoint.get() ? endpoint.get()->SetAutoGainControl(on) : 1;
}

uint32_t MicMuteWrite(PanelContext& ctx, int32_t on) {
    if (!UsesCoreAudio(ctx)) {
        uint32_t value = on != 0 ? 1 : 0;
        return Mixer(ctx, MIXER_WRITE_MUTE, &value) ? 0 : 2;
    }
    EndpointUse endpoint(ctx);
    return endpoint.get() ? endpoint.get()->SetMute(on) : 1;
}
