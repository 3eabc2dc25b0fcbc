#include "ChipSettings.h"

#include "D3Operations.h"
#include "Discovery.h"
#include "EqOperations.h"
#include "HidChannel.h"
#include "LedAndEffect.h"
#include "RegisterBits.h"
#include "SliderMapping.h"
#include "VirtualSpeakers.h"

namespace {

// --- Equaliser: four preset lines, each five gains and the panel-wide switch -------------------

std::u16string PresetKey(int preset) {
    std::u16string key = u"S";
    key += static_cast<char16_t>(u'0' + preset);
    return key;
}

// Each preset is recalled in turn (the saving flag holds its registers back), then the current
// one again.
void WriteEqPresets(PanelContext& ctx, const ChipSetting& row, const ProfileOut& out) {
    PanelState& s = ctx.state;
    for (int preset = 1; preset <= kEqPresetCount; ++preset) {
        PresetRecall(ctx, preset);
        const uint16_t* g = s.workingEq.Gain;
        out.Put(row.section, PresetKey(preset),
                FormatProfileValue("0x%X,0x%X,0x%X,0x%X,0x%X,%d", g[0], g[1], g[2], g[3], g[4],
                                   s.eqEnabled));
    }
    PresetRecall(ctx, s.currentPreset);
}

// The offset a loaded gain gives its slider.
int LoadedOffset(uint16_t gain, int travel) {
    const int64_t d = gain <= 1024 ? gain : (gain - 1023) / 3 + 1024;
    return static_cast<int>((2048 - d) * travel / 2048);
}

// Every preset in turn reaches the chip, and the current one is restored after each.
void ReadEqPresets(PanelContext& ctx, const ChipSetting& row, const ProfileIn& in) {
    PanelState& s = ctx.state;
    for (int i = 0; i < kEqPresetCount; ++i) {
        const std::u16string key = PresetKey(i + 1);
        const ProfileFields fields(in.Value(row.section, key));
        for (int band = 0; band < kEqBandCount; ++band) {
            s.workingEq.Gain[band] =
                static_cast<uint16_t>(in.Within(fields[band], row.section, key, 0, kEqMaxGain));
            s.eqOffsets[i][band] = LoadedOffset(s.workingEq.Gain[band], ctx.skin.sliderTravel);
            PresetStore(s, i);
        }
        s.eqEnabled = in.Flag(fields[5], row.section, key);
        PresetRecall(ctx, i + 1);
        PresetDisplay(ctx, i);
        EqBypassUpdate(ctx, s.eqEnabled);
        PresetRecall(ctx, s.currentPreset);
        PresetDisplay(ctx, s.currentPreset - 1);
        EqBypassUpdate(ctx, s.eqEnabled);
    }
}

void SendEqSwitch(PanelContext& ctx, const ChipSetting&) {
    EqEnableWrite(ctx, ctx.state.eqEnabled);
}

void EqToNeutral(PanelContext& ctx, const ChipSetting&) {
    EqReset(ctx);
    EqBypassUpdate(ctx, 0);
    EqEnableWrite(ctx, 0);
}

void EqPathOff(PanelContext&, const ChipSetting&, IHidDevice& hid) {
    ClearEqPath(hid);
}

// --- 3D: the record's four values, written together into 0x18B and 0x18C ----------------------

struct D3Key {
    const char16_t* key;
    uint8_t D3Record::*value;
};
const D3Key k3DKeys[] = {{u"LeftAlpha", &D3Record::LeftAlpha},
                         {u"LeftBeta", &D3Record::LeftBeta},
                         {u"RightAlpha", &D3Record::RightAlpha},
                         {u"RightBeta", &D3Record::RightBeta}};

void Write3DValues(PanelContext& ctx, const ChipSetting& row, const ProfileOut& out) {
    for (const D3Key& k : k3DKeys) {
        out.Put(row.section, k.key, FormatProfileValue("%d", ctx.state.d3.*k.value));
    }
}

void Read3DValues(PanelContext& ctx, const ChipSetting& row, const ProfileIn& in) {
    for (const D3Key& k : k3DKeys) {
        ctx.state.d3.*k.value = static_cast<uint8_t>(
            in.Within(in.Value(row.section, k.key), row.section, k.key, row.lo, row.hi));
    }
}

// The record and FBM back to the factory's; written with synchronise.
void D3ValuesToNeutral(PanelContext& ctx, const ChipSetting&) {
    D3Reset(ctx);
}

void FbmToNeutral(PanelContext& ctx, const ChipSetting& row) {
    FbmWrite(ctx, row.neutral);
}

void Send3DSwitch(PanelContext& ctx, const ChipSetting&) {
    D3EnableWrite(ctx, ctx.state.d3Enabled);
}

// Once the 3D values, FBM and the switch are read: the switch reaches the EQ path and the chip,
// and the page shows all of them.
void Loaded3D(PanelContext& ctx, const ChipSetting&) {
    PanelState& s = ctx.state;
    D3BypassUpdate(ctx, s.d3Enabled);
    if (!s.eqEnabled) {
        EqEnableWrite(ctx, s.d3Enabled);
    }
    D3EnableWrite(ctx, s.d3Enabled);
    ctx.view.ShowToggle(TAG_FBM_SWITCH, s.fbm != 0);
    ctx.view.ShowToggle(TAG_3D_SWITCH, s.d3Enabled != 0);
    Refresh3DValueLabels(ctx);
    Place3DSliders(ctx);
}

void D3SwitchToNeutral(PanelContext& ctx, const ChipSetting& row) {
    D3BypassUpdate(ctx, row.neutral);
    D3EnableWrite(ctx, row.neutral);
}

// --- Room effect: the driver's index is the effect number less one ------------------------------

void SendEffect(PanelContext& ctx, const ChipSetting&) {
    EffectSelection(ctx, static_cast<uint32_t>(ctx.state.currentEffect) - 1u);
}

void LoadedEffect(PanelContext& ctx, const ChipSetting& row) {
    for (int effect = 1; effect <= 5; ++effect) {
        ctx.view.ShowToggle(TAG_EFFECT_NOTHING + effect - 1, effect == ctx.state.currentEffect);
    }
    SendEffect(ctx, row);
}

void EffectToNeutral(PanelContext& ctx, const ChipSetting& row, IHidDevice&) {
    ExtSelectEffect(ctx.driver, static_cast<uint32_t>(row.neutral) - 1u);
}

// --- Virtual 7.1: the switch and the eight icons' positions, sent as one speaker table ----------

// Speaker keys by icon tag (39-46).
const char16_t* const kSpeakerKeys[kSpeakerCount] = {u"L",  u"R",  u"C",  u"SUB",
                                                     u"LS", u"RS", u"LB", u"RB"};
// The order the save writes them in.
const int kSaveOrder[kSpeakerCount] = {SPEAKER_C,  SPEAKER_L,  SPEAKER_LS,  SPEAKER_LB,
                                       SPEAKER_RB, SPEAKER_RS, SPEAKER_SUB, SPEAKER_R};

void WriteVirtual(PanelContext& ctx, const ChipSetting& row, const ProfileOut& out) {
    for (int speaker : kSaveOrder) {
        const Point at = ctx.view.ImagePosition(TAG_SPEAKER_L + speaker);
        out.Put(row.section, kSpeakerKeys[speaker], FormatProfileValue("%d,%d", at.x, at.y));
    }
    out.Put(row.section, row.key, FormatProfileValue("%d", ctx.state.virtualEnabled));
}

void ReadVirtual(PanelContext& ctx, const ChipSetting& row, const ProfileIn& in) {
    PanelState& s = ctx.state;
    s.virtualEnabled = in.Flag(in.Value(row.section, row.key), row.section, row.key);
    for (int speaker = 0; speaker < kSpeakerCount; ++speaker) {
        const std::u16string key = kSpeakerKeys[speaker];
        const ProfileFields fields(in.Value(row.section, key));
        const int left = in.Number(fields[0], row.section, key);
        const int top = in.Number(fields[1], row.section, key);
        ctx.view.MoveImage(TAG_SPEAKER_L + speaker, {left, top});
        ctx.view.ShowToggle(TAG_VIRTUAL_SWITCH, s.virtualEnabled != 0);
    }
}

void SendSpeakers(PanelContext& ctx, const ChipSetting&) {
    PlaceSpeakersAndSend(ctx, ctx.state.rotation);
}

// The default circle, sent with 7.1 off.
void VirtualToNeutral(PanelContext& ctx, const ChipSetting& row, IHidDevice&) {
    ctx.state.virtualEnabled = row.neutral;
    VirtualReset(ctx);
}

// --- LED: a GPIO read lights it, every pin written 0 darkens it ---------------------------------

void SendLed(PanelContext& ctx, const ChipSetting&) {
    LedWrite(ctx, ctx.state.led);
}

void LoadedLed(PanelContext& ctx, const ChipSetting& row) {
    ctx.view.ShowToggle(TAG_LED, ctx.state.led != 0);
    SendLed(ctx, row);
}

constexpr int32_t kEffectNothing = 1;
constexpr int32_t kEffectCount = 5;

}  // namespace

const std::vector<ChipSetting>& ChipSettings() {
    static const std::vector<ChipSetting> table = {
        ChipSetting("EQ presets and switch")
            // Gains: band n low byte at 0x120 + 2n, bits 8-11 at 0x121 + 2n (RegisterMap.h).
            .Registers({REG_EQ_PATH, 0x04}, {REG_EQ_BAND4_HIGH, 0x80}, {REG_EQ_BAND0_LOW, 0xFF})
            .Switch()  // the gains are held within 0-4095 (kEqMaxGain) by the preset lines' text
            .Profile(u"EQ", u"S1")
            .OwnText(WriteEqPresets, ReadEqPresets)
            .In(Member<&PanelState::eqEnabled>())
            .OnLoad(SendEqSwitch, SendEqSwitch)
            .Neutral(0, EqToNeutral, EqPathOff)
            .OnArrival(ArrivalStage::AfterMicrophone, PageBit(PAGE_EQ) | PageBit(PAGE_3D),
                       SendEqSwitch),
        ChipSetting("3D alpha and beta")
            .Registers({REG_3D_LEFT, 0xF0}, {REG_3D_LEFT, 0x0F}, {REG_3D_RIGHT, 0xF0},
                       {REG_3D_RIGHT, 0x0F})
            .Range(0, k3DMaxValue)
            .Profile(u"3D", u"LeftAlpha")
            .OwnText(Write3DValues, Read3DValues)
            .Neutral(0, D3ValuesToNeutral),  // the factory's values (LoadDefault3D)
        ChipSetting("FBM")
            .Registers({REG_3D_CONTROL, 0x01})
            .Switch()
            .Profile(u"3D", u"FBM")
            .In(Member<&PanelState::fbm>())
            .Neutral(1, FbmToNeutral),
        ChipSetting("3D switch")
            .Registers({REG_3D_CONTROL, 0x40}, {REG_EQ_BAND4_HIGH, 0x10})
            .Switch()
            .Profile(u"3D", u"3DEN")
            .In(Member<&PanelState::d3Enabled>())
            .OnLoad(Send3DSwitch, Loaded3D)
            .Neutral(0, D3SwitchToNeutral)
            .OnArrival(ArrivalStage::AfterMicrophone, PageBit(PAGE_3D), Send3DSwitch),
        ChipSetting("room effect")  // the driver's "select effect"
            .Range(kEffectNothing, kEffectCount)
            .Profile(u"Effect", u"CurrentEffect")
            .In(Member<&PanelState::currentEffect>())
            .OnLoad(nullptr, LoadedEffect)
            .Neutral(kEffectNothing, nullptr, EffectToNeutral)
            .OnArrival(ArrivalStage::AfterDriverReset, PageBit(PAGE_EFFECT), SendEffect),
        ChipSetting("virtual 7.1 switch and speakers")  // the driver's speaker table
            .Switch()
            .Profile(u"Virtual7ch1", u"7ch1EN")
            .OwnText(WriteVirtual, ReadVirtual)
            .In(Member<&PanelState::virtualEnabled>())
            .OnLoad(nullptr, SendSpeakers)
            .Neutral(0, nullptr, VirtualToNeutral)
            .OnArrival(ArrivalStage::AfterDriverReset, PageBit(PAGE_VIRTUAL), SendSpeakers),
        ChipSetting("LED")  // GPIO; the shutdown leaves it as it is
            .Switch()
            .Profile(u"LED", u"LEDON", IfMissing::LeaveAlone)
            .In(Member<&PanelState::led>())
            .OnLoad(nullptr, LoadedLed)
            .OnArrival(ArrivalStage::First, kEveryPage, SendLed),
    };
    return table;
}

int RegisterField::Shift() const {
    int shift = 0;
    while (shift < 8 && !(mask & (1u << shift))) {
        ++shift;
    }
    return shift;
}

uint8_t RegisterField::Bits(int32_t value) const {
    return static_cast<uint8_t>((static_cast<uint32_t>(value) << Shift()) & mask);
}

int32_t RegisterField::Value(uint8_t bits) const {
    return static_cast<int32_t>((bits & mask) >> Shift());
}

namespace {

void SendField(PanelContext& ctx, const RegisterField& field, int32_t value) {
    auto hid = OpenHeadset(ctx);
    if (!hid) {
        return;
    }
    if (ctx.device.synchronise &&
        ModifyRegister(*hid, field.address, static_cast<uint8_t>(~field.mask), field.Bits(value), 2,
                       3) != 0) {
        return;
    }
    SendIdleReport(*hid);
}

}  // namespace

void SendRegisterField(PanelContext& ctx, const ChipSetting& setting) {
    SendField(ctx, setting.registers[0], setting.Get(ctx.state));
}

void SendNeutralRegisterField(PanelContext& ctx, const ChipSetting& setting) {
    SendField(ctx, setting.registers[0], setting.neutral);
}

namespace {

// lo at the bottom of the travel, hi at its top; a travel of no length counts as one pixel.
int TravelLength(const SliderRange& travel) {
    return travel.length > 0 ? travel.length : 1;
}

}  // namespace

void PlaceSliderAndSend(PanelContext& ctx, const ChipSetting& setting) {
    const SliderRange travel = ctx.view.SliderTravel(setting.slider);
    const int64_t span = setting.hi > setting.lo ? int64_t{setting.hi} - setting.lo : 1;
    const int64_t above = ClampInt(setting.Get(ctx.state), setting.lo, setting.hi) - setting.lo;
    Point at = ctx.view.ImagePosition(setting.slider);
    at.y =
        travel.top0 + TravelLength(travel) - static_cast<int>(above * TravelLength(travel) / span);
    ctx.view.MoveImage(setting.slider, at);
    SendRegisterField(ctx, setting);
}

int32_t SettingValueAt(const ChipSetting& setting, const SliderRange& travel, int top) {
    const int length = TravelLength(travel);
    top = ClampInt(top, travel.top0, travel.top0 + length);
    const int64_t span = int64_t{setting.hi} - setting.lo;
    const int64_t fromBottom = int64_t{travel.top0} + length - top;
    return setting.lo + static_cast<int32_t>((fromBottom * span + length / 2) / length);
}

void MoveSettingSlider(PanelContext& ctx, const ChipSetting& setting, int top) {
    const SliderRange travel = ctx.view.SliderTravel(setting.slider);
    Point at = ctx.view.ImagePosition(setting.slider);
    at.y = ClampInt(top, travel.top0, travel.top0 + TravelLength(travel));
    ctx.view.MoveImage(setting.slider, at);
    setting.member.set(ctx.state, SettingValueAt(setting, travel, top));
    (setting.send ? setting.send : SendRegisterField)(ctx, setting);
}

const ChipSetting* SettingShownBy(int sliderTag) {
    for (const ChipSetting& row : ChipSettings()) {
        if (row.slider == sliderTag && row.member.set) {
            return &row;
        }
    }
    return nullptr;
}

void WriteChipSettings(PanelContext& ctx, const ProfileOut& out) {
    for (const ChipSetting& row : ChipSettings()) {
        if (row.write) {
            row.write(ctx, row, out);
        } else {
            out.Put(row.section, row.key, FormatProfileValue("%d", row.Get(ctx.state)));
        }
    }
}

void ReadChipSettings(PanelContext& ctx, const ProfileIn& in) {
    for (const ChipSetting& row : ChipSettings()) {
        if (row.sentBeforeLoad) {
            row.sentBeforeLoad(ctx, row);
        }
    }
    for (const ChipSetting& row : ChipSettings()) {
        if (row.read) {
            row.read(ctx, row, in);
        } else {
            const std::u16string text = in.Value(row.section, row.key);
            if (text.empty() && row.missing == IfMissing::LeaveAlone) {
                continue;
            }
            row.member.set(ctx.state, row.flag
                                          ? in.Flag(text, row.section, row.key)
                                          : in.Within(text, row.section, row.key, row.lo, row.hi));
        }
        if (row.loaded) {
            row.loaded(ctx, row);
        }
    }
}

void NeutraliseChipSettings(PanelContext& ctx) {
    for (const ChipSetting& row : ChipSettings()) {
        if (row.toNeutral) {
            row.toNeutral(ctx, row);
        }
    }
    if (auto hid = OpenHeadset(ctx)) {
        for (const ChipSetting& row : ChipSettings()) {
            if (row.inLastExchange) {
                row.inLastExchange(ctx, row, *hid);
            }
        }
        SendIdleReport(*hid);
    }
}

void ReapplyChipSettings(PanelContext& ctx, ArrivalStage stage, int page) {
    for (const ChipSetting& row : ChipSettings()) {
        if (row.arrival == stage && row.send && page >= 0 && page < 32 &&
            (row.pages & PageBit(page))) {
            row.send(ctx, row);
        }
    }
}
