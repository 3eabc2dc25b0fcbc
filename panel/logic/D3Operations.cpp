#include "D3Operations.h"

#include "ControlTags.h"
#include "HidChannel.h"
#include "LabelText.h"
#include "RegisterBits.h"
#include "SliderMapping.h"

namespace {

constexpr uint8_t kThrough3DBit = 0x10;  // 0x129 bit 4
constexpr uint8_t kFbmBit = 0x01;        // 0x18A bit 0
constexpr uint8_t k3DEnableBit = 0x40;   // 0x18A bit 6
constexpr uint8_t k3DOffKeep = 0x04;     // 0x18A bit 2 survives switching 3D off

struct ChannelTags {
    int beta;
    int alpha;
};

uint8_t SliderValue(const PanelContext& ctx, int tag) {
    return D3ValueFromTop(ctx.view.ImagePosition(tag).y, ctx.skin.sliderTravel);
}

// The channel write shared by both sides: one side's values come from its sliders, then both
// channels go to the chip.
uint32_t ChannelWrite(PanelContext& ctx, int32_t synchronise, ChannelTags tags, uint8_t& alpha,
                      uint8_t& beta) {
    beta = SliderValue(ctx, tags.beta);
    alpha = SliderValue(ctx, tags.alpha);
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (synchronise == 1) {
        const D3Record& d3 = ctx.state.d3;
        const uint32_t rc = SetRegisterBits(*hid, REG_3D_CONTROL, kFbmBit, d3.FBM != 0, 2, 3);
        if (rc != 0) {
            return rc;
        }
        if (WriteLeft3D(*hid, d3.LeftAlpha, d3.LeftBeta) != 0) {
            return 4;
        }
        if (WriteRight3D(*hid, d3.RightAlpha, d3.RightBeta) != 0) {
            return 5;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 7;
}

}  // namespace

void Initialise3D(PanelState& state) {
    state.d3Enabled = 0;
    state.fbm = 1;
    LoadDefault3D(state.d3);
}

uint32_t D3BypassUpdate(PanelContext& ctx, int32_t d3Enabled) {
    ctx.state.workingEq.Through3D = d3Enabled;
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (ctx.device.synchronise) {
        const uint32_t rc =
            SetRegisterBits(*hid, REG_EQ_BAND4_HIGH, kThrough3DBit, d3Enabled != 0, 2, 3);
        if (rc != 0) {
            return rc;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 4;
}

uint32_t D3EnableWrite(PanelContext& ctx, int32_t on) {
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (on == 1) {
        const uint32_t rc = ModifyRegister(*hid, REG_3D_CONTROL, 0xFF, k3DEnableBit, 2, 3);
        if (rc != 0) {
            return rc;
        }
        if (Write3DRegisters(*hid, ctx.state.d3) != 0) {
            return 4;
        }
    } else if (ctx.device.presence) {
        const uint32_t rc = ModifyRegister(*hid, REG_3D_CONTROL, k3DOffKeep, 0, 5, 6);
        if (rc != 0) {
            return rc;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 7;
}

uint32_t FbmWrite(PanelContext& ctx, int32_t on) {
    ctx.state.d3.FBM = on;
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 2;
    }
    const uint32_t rc = SetRegisterBits(*hid, REG_3D_CONTROL, kFbmBit, on != 0, 3, 4);
    if (rc != 0) {
        return rc;
    }
    return SendIdleReport(*hid) == 0 ? 0 : 5;
}

uint32_t LeftChannel3DWrite(PanelContext& ctx, int32_t synchronise) {
    D3Record& d3 = ctx.state.d3;
    return ChannelWrite(ctx, synchronise, {TAG_3D_LEFT_BETA, TAG_3D_LEFT_ALPHA}, d3.LeftAlpha,
                        d3.LeftBeta);
}

uint32_t RightChannel3DWrite(PanelContext& ctx, int32_t synchronise) {
    D3Record& d3 = ctx.state.d3;
    return ChannelWrite(ctx, synchronise, {TAG_3D_RIGHT_BETA, TAG_3D_RIGHT_ALPHA}, d3.RightAlpha,
                        d3.RightBeta);
}

void Place3DSliders(PanelContext& ctx) {
    const D3Record& d3 = ctx.state.d3;
    const struct {
        int tag;
        uint8_t value;
    } sliders[] = {{TAG_3D_LEFT_BETA, d3.LeftBeta},
                   {TAG_3D_LEFT_ALPHA, d3.LeftAlpha},
                   {TAG_3D_RIGHT_BETA, d3.RightBeta},
                   {TAG_3D_RIGHT_ALPHA, d3.RightAlpha}};
    for (const auto& s : sliders) {
        Point at = ctx.view.ImagePosition(s.tag);
        at.y = D3TopFromValue(s.value, ctx.skin.sliderTravel);
        ctx.view.MoveImage(s.tag, at);
    }
    ctx.view.ShowToggle(TAG_FBM_SWITCH, ctx.state.fbm != 0);
    Refresh3DValueLabels(ctx);
}

void Refresh3DValueLabels(PanelContext& ctx) {
    for (int tag = TAG_3D_LEFT_BETA; tag <= TAG_3D_RIGHT_ALPHA; ++tag) {
        ctx.view.SetLabelText(tag, DecimalText(SliderValue(ctx, tag)));
    }
}

uint32_t D3Reset(PanelContext& ctx) {
    LoadDefault3D(ctx.state.d3);
    ctx.state.fbm = 1;
    Place3DSliders(ctx);
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 2;
    }
    if (ctx.device.synchronise && Write3DRegisters(*hid, ctx.state.d3) != 0) {
        return 3;
    }
    return 0;
}
