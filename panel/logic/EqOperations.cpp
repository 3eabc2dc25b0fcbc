#include "EqOperations.h"

#include <algorithm>

#include "ControlTags.h"
#include "D3Operations.h"
#include "HidChannel.h"
#include "LabelText.h"
#include "RegisterBits.h"
#include "SliderMapping.h"

namespace {

constexpr uint8_t kEqPathBit = 0x04;  // 0x100 bit 2
constexpr uint8_t kBypassBit = 0x80;  // 0x129 bit 7

bool ValidPresetIndex(int index) {
    return index >= 0 && index < kEqPresetCount;
}

uint32_t PresetBlockOffset(int index) {
    return EqPresetOffset(index + 1);
}

}  // namespace

void InitialiseSettings(PanelState& state, const SkinGeometry& skin) {
    state.image.fill(0xFF);
    const auto& factory = DefaultImage();
    std::copy(factory.begin(), factory.end(), state.image.begin());
    state.workingEq = EqRecord{};
    // StoreEqBlock rather than preset store: every block keeps LastBlock = 1.
    for (int p = 0; p < kEqPresetCount; ++p) {
        StoreEqBlock(state.image, PresetBlockOffset(p), state.workingEq);
    }
    for (auto& preset : state.eqOffsets) {
        std::fill(std::begin(preset), std::end(preset), skin.sliderTravel / 2);
    }
    state.eqEnabled = 0;
}

uint32_t EqBypassUpdate(PanelContext& ctx, int32_t eqEnabled) {
    ctx.state.workingEq.Bypass = eqEnabled == 0 ? 1 : 0;
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (ctx.device.synchronise) {
        const uint32_t rc = SetRegisterBits(*hid, REG_EQ_BAND4_HIGH, kBypassBit,
                                            ctx.state.workingEq.Bypass != 0, 2, 3);
        if (rc != 0) {
            return rc;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 4;
}

uint32_t EqEnableWrite(PanelContext& ctx, int32_t on) {
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (on == 1) {
        const uint32_t rc = ModifyRegister(*hid, REG_EQ_PATH, 0xFF, kEqPathBit, 2, 3);
        if (rc != 0) {
            return rc;
        }
        if (WriteEqRegisters(*hid, ctx.state.workingEq) != 0) {
            return 4;
        }
    } else if (ctx.device.presence) {
        const uint32_t rc = ClearEqPath(*hid);
        if (rc != 0) {
            return rc + 4;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 7;
}

uint32_t ClearEqPath(IHidDevice& hid) {
    return ModifyRegister(hid, REG_EQ_PATH, static_cast<uint8_t>(~kEqPathBit), 0, 1, 2);
}

uint32_t BandWrite(PanelContext& ctx, int sliderTag, int32_t synchronise) {
    const int band = sliderTag - TAG_EQ_SLIDER_60HZ;
    if (band < 0 || band >= kEqBandCount) {
        return 1;
    }
    const int offset = ctx.view.ImagePosition(sliderTag).y - ctx.skin.eqTop0;
    const uint16_t gain = EqGainFromOffset(offset, ctx.skin.sliderTravel);
    ctx.state.workingEq.Gain[band] = gain;

    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (synchronise == 1) {
        EqBypassUpdate(ctx, ctx.state.eqEnabled);
        // Codes 2-4 of the band's registers are the band write's own.
        const uint32_t rc = WriteEqBand(*hid, band, gain);
        if (rc != 0) {
            return rc;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 5;
}

void PresetStore(PanelState& state, int index) {
    if (!ValidPresetIndex(index)) {
        return;
    }
    state.workingEq.LastBlock = index == kEqPresetCount - 1 ? 1 : 0;
    StoreEqBlock(state.image, PresetBlockOffset(index), state.workingEq);
}

uint32_t PresetRecall(PanelContext& ctx, int preset) {
    if (ValidPresetIndex(preset - 1)) {
        LoadEqBlock(ctx.state.image, EqPresetOffset(preset), ctx.state.workingEq);
    }
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 1;
    }
    if (ctx.device.synchronise && !ctx.state.saving) {
        if (WriteEqRegisters(*hid, ctx.state.workingEq) != 0) {
            return 2;
        }
    }
    return SendIdleReport(*hid) == 0 ? 0 : 3;
}

void PresetDisplay(PanelContext& ctx, int index) {
    if (!ValidPresetIndex(index)) {
        return;
    }
    LoadEqBlock(ctx.state.image, PresetBlockOffset(index), ctx.state.workingEq);
    PlaceEqSliders(ctx, index);
    ctx.view.ShowToggle(TAG_EQ_SWITCH, ctx.state.eqEnabled != 0);
}

void PlaceEqSliders(PanelContext& ctx, int index) {
    if (!ValidPresetIndex(index)) {
        return;
    }
    EqRecord preset;
    LoadEqBlock(ctx.state.image, PresetBlockOffset(index), preset);
    for (int band = 0; band < kEqBandCount; ++band) {
        const int tag = TAG_EQ_SLIDER_60HZ + band;
        const int offset = EqOffsetFromGain(preset.Gain[band], ctx.skin.sliderTravel);
        ctx.state.eqOffsets[index][band] = offset;
        Point at = ctx.view.ImagePosition(tag);
        at.y = ctx.skin.eqTop0 + offset;
        ctx.view.MoveImage(tag, at);
        ctx.view.SetLabelText(tag, HexText(preset.Gain[band]));
    }
}

uint32_t EqReset(PanelContext& ctx) {
    PanelState& s = ctx.state;
    const int index = s.currentPreset - 1;
    s.workingEq = EqRecord{};
    if (ValidPresetIndex(index)) {
        StoreEqBlock(s.image, PresetBlockOffset(index), s.workingEq);
    }
    PresetDisplay(ctx, index);

    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return 3;
    }
    if (ctx.device.synchronise) {
        for (int tag = TAG_EQ_SLIDER_60HZ; tag <= TAG_EQ_SLIDER_12000HZ; ++tag) {
            BandWrite(ctx, tag, ctx.device.synchronise);
        }
        if (WriteEqRegisters(*hid, s.workingEq) != 0) {
            return 4;
        }
    }
    D3BypassUpdate(ctx, s.d3Enabled);
    return 0;
}
