#include "UserActions.h"

#include "ChipSettings.h"
#include "ControlTags.h"
#include "D3Operations.h"
#include "EqOperations.h"
#include "LedAndEffect.h"
#include "MicOperations.h"
#include "SliderMapping.h"
#include "VirtualSpeakers.h"

namespace {

bool Flip(PanelContext& ctx, int tag, int32_t& field) {
    field = field ? 0 : 1;
    ctx.view.ShowToggle(tag, field != 0);
    return field != 0;
}

void MoveTop(PanelContext& ctx, int tag, int top) {
    Point at = ctx.view.ImagePosition(tag);
    at.y = top;
    ctx.view.MoveImage(tag, at);
}

}  // namespace

void OnEqSwitch(PanelContext& ctx) {
    PanelState& s = ctx.state;
    Flip(ctx, TAG_EQ_SWITCH, s.eqEnabled);
    EqBypassUpdate(ctx, s.eqEnabled);
    if (!s.d3Enabled) {
        EqEnableWrite(ctx, s.eqEnabled);
    }
    PresetStore(s, s.currentPreset - 1);
}

void On3DSwitch(PanelContext& ctx) {
    PanelState& s = ctx.state;
    Flip(ctx, TAG_3D_SWITCH, s.d3Enabled);
    // The 3D effect runs through the EQ path, so the path must be on for it too.
    if (!s.eqEnabled) {
        EqEnableWrite(ctx, s.d3Enabled);
    }
    D3EnableWrite(ctx, s.d3Enabled);
    D3BypassUpdate(ctx, s.d3Enabled);
}

void OnPresetButton(PanelContext& ctx, int preset) {
    PanelState& s = ctx.state;
    if (preset < 1 || preset > kEqPresetCount) {
        return;
    }
    s.currentPreset = preset;
    PresetRecall(ctx, preset);
    PresetDisplay(ctx, preset - 1);
    EqBypassUpdate(ctx, s.eqEnabled);
    D3BypassUpdate(ctx, s.d3Enabled);
}

void OnFbmSwitch(PanelContext& ctx) {
    Flip(ctx, TAG_FBM_SWITCH, ctx.state.fbm);
    FbmWrite(ctx, ctx.state.fbm);
}

void OnEffectButton(PanelContext& ctx, int effect) {
    if (effect < 1 || effect > 5) {
        return;
    }
    ctx.state.currentEffect = effect;
    EffectSelection(ctx, static_cast<uint32_t>(effect - 1));
}

void OnMicBoostSwitch(PanelContext& ctx) {
    Flip(ctx, TAG_MIC_BOOST, ctx.state.micBoost);
    MicBoostWrite(ctx, ctx.state.micBoost);
}

void OnMicMuteSwitch(PanelContext& ctx) {
    Flip(ctx, TAG_MIC_MUTE, ctx.state.micMute);
    MicMuteWrite(ctx, ctx.state.micMute);
}

void OnSyncButton(PanelContext& ctx) {
    const int page = ctx.view.CurrentPage();
    if (!ctx.device.devicePresent || (page != PAGE_EQ && page != PAGE_3D)) {
        return;
    }
    Flip(ctx, TAG_SYNC, ctx.device.synchronise);
    EqEnableWrite(ctx, ctx.state.eqEnabled);
    if (page == PAGE_3D) {
        D3EnableWrite(ctx, ctx.state.d3Enabled);
    }
}

void OnVirtualSwitch(PanelContext& ctx) {
    Flip(ctx, TAG_VIRTUAL_SWITCH, ctx.state.virtualEnabled);
    RotationState scratch;
    PlaceSpeakersAndSend(ctx, scratch);
}

void OnRotationSwitch(PanelContext& ctx, bool clockwise) {
    PanelState& s = ctx.state;
    int32_t& mine = clockwise ? s.rotateClockwise : s.rotateCounterClockwise;
    int32_t& other = clockwise ? s.rotateCounterClockwise : s.rotateClockwise;
    Flip(ctx, clockwise ? TAG_ROTATE_CLOCKWISE : TAG_ROTATE_COUNTERCLOCKWISE, mine);
    if (other) {
        Flip(ctx, clockwise ? TAG_ROTATE_COUNTERCLOCKWISE : TAG_ROTATE_CLOCKWISE, other);
    }
}

void OnLedSwitch(PanelContext& ctx) {
    Flip(ctx, TAG_LED, ctx.state.led);
    LedWrite(ctx, ctx.state.led);
}

void OnEqResetButton(PanelContext& ctx) {
    EqReset(ctx);
}

void On3DResetButton(PanelContext& ctx) {
    D3Reset(ctx);
}

void OnVirtualResetButton(PanelContext& ctx) {
    VirtualReset(ctx);
}

bool RunControlAction(PanelContext& ctx, int tag) {
    if (tag >= TAG_PRESET_S1 && tag <= TAG_PRESET_S4) {
        OnPresetButton(ctx, tag - TAG_PRESET_S1 + 1);
        return true;
    }
    if (tag >= TAG_EFFECT_NOTHING && tag <= TAG_EFFECT_STONE_GALLERY) {
        OnEffectButton(ctx, tag - TAG_EFFECT_NOTHING + 1);
        return true;
    }
    switch (tag) {
        case TAG_EQ_RESET:
            OnEqResetButton(ctx);
            return true;
        case TAG_3D_RESET:
            On3DResetButton(ctx);
            return true;
        case TAG_EQ_SWITCH:
            OnEqSwitch(ctx);
            return true;
        case TAG_3D_SWITCH:
            On3DSwitch(ctx);
            return true;
        case TAG_FBM_SWITCH:
            OnFbmSwitch(ctx);
            return true;
        case TAG_MIC_BOOST:
            OnMicBoostSwitch(ctx);
            return true;
        case TAG_MIC_MUTE:
            OnMicMuteSwitch(ctx);
            return true;
        case TAG_SYNC:
            OnSyncButton(ctx);
            return true;
        case TAG_VIRTUAL_SWITCH:
            OnVirtualSwitch(ctx);
            return true;
        case TAG_VIRTUAL_RESET:
            OnVirtualResetButton(ctx);
            return true;
        case TAG_ROTATE_CLOCKWISE:
            OnRotationSwitch(ctx, true);
            return true;
        case TAG_ROTATE_COUNTERCLOCKWISE:
            OnRotationSwitch(ctx, false);
            return true;
        case TAG_LED:
            OnLedSwitch(ctx);
            return true;
        default:
            return false;
    }
}

void OnEqSliderMoved(PanelContext& ctx, int sliderTag, int top) {
    const int band = sliderTag - TAG_EQ_SLIDER_60HZ;
    if (band < 0 || band >= kEqBandCount) {
        return;
    }
    PanelState& s = ctx.state;
    const SkinGeometry& g = ctx.skin;
    const int clamped = ClampInt(top, g.eqTop0, g.eqTop0 + g.sliderTravel);
    MoveTop(ctx, sliderTag, clamped);
    BandWrite(ctx, sliderTag, ctx.device.synchronise);
    const int index = s.currentPreset - 1;
    if (index >= 0 && index < kEqPresetCount) {
        s.eqOffsets[index][band] = clamped - g.eqTop0;
    }
    PresetStore(s, index);
    // The slider settles where the stored gain maps back to.
    PresetDisplay(ctx, index);
}

void On3DSliderMoved(PanelContext& ctx, int sliderTag, int top) {
    if (sliderTag < TAG_3D_LEFT_BETA || sliderTag > TAG_3D_RIGHT_ALPHA) {
        return;
    }
    const int y = ClampInt(top, k3DTopMin, k3DTopMax);
    MoveTop(ctx, sliderTag, y);
    const bool alpha = sliderTag == TAG_3D_LEFT_ALPHA || sliderTag == TAG_3D_RIGHT_ALPHA;
    const int32_t mode = alpha ? ctx.state.alphaLinkMode : ctx.state.betaLinkMode;
    // Left and right sliders of a pair are two tags apart.
    const int partner = sliderTag <= TAG_3D_LEFT_ALPHA ? sliderTag + 2 : sliderTag - 2;
    if (mode == 1) {
        MoveTop(ctx, partner, y);
    } else if (mode == 2) {
        MoveTop(ctx, partner, k3DMirrorSum - y);
    }
    LeftChannel3DWrite(ctx, ctx.device.synchronise);
    RightChannel3DWrite(ctx, ctx.device.synchronise);
    Refresh3DValueLabels(ctx);
}

void OnMicSliderMoved(PanelContext& ctx, int top) {
    OnMicSliderMoved(ctx, TAG_MIC_SLIDER, top);
}

void OnMicSliderMoved(PanelContext& ctx, int sliderTag, int top) {
    const SkinGeometry& g = ctx.skin;
    const int clamped = ClampInt(top, g.micTop0, g.micTop0 + g.sliderTravel);
    MoveTop(ctx, sliderTag, clamped);
    MicrophoneVolume(ctx, MicValueFromTop(clamped, g.micTop0, g.sliderTravel));
    DisplayRefresh(ctx);
}

void OnSettingSliderMoved(PanelContext& ctx, int sliderTag, int top) {
    if (const ChipSetting* setting = SettingShownBy(sliderTag)) {
        MoveSettingSlider(ctx, *setting, top);
    }
}

void OnSpeakerIconDragged(PanelContext& ctx) {
    PlaceSpeakersAndSend(ctx, ctx.state.rotation);
}

void OnPageShown(PanelContext& ctx, int page) {
    if (page != PAGE_EQ && page != PAGE_3D) {
        return;
    }
    EqEnableWrite(ctx, ctx.state.eqEnabled);
    if (page == PAGE_3D) {
        D3EnableWrite(ctx, ctx.state.d3Enabled);
    }
}
