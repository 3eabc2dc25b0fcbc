#include "ProfileFile.h"

#include <cstdio>
#include <vector>

#include "ControlTags.h"
#include "D3Operations.h"
#include "EqOperations.h"
#include "LedAndEffect.h"
#include "PanelError.h"
#include "SliderMapping.h"
#include "VirtualSpeakers.h"

namespace {

constexpr uint32_t kValueBuffer = 256;
constexpr int kEffectCount = 5;  // effect numbers 1-5

// Speaker keys by icon tag (39-46).
const char16_t* const kSpeakerKeys[kSpeakerCount] = {u"L",  u"R",  u"C",  u"SUB",
                                                     u"LS", u"RS", u"LB", u"RB"};
// The order the save writes them in.
const int kSaveOrder[kSpeakerCount] = {SPEAKER_C,  SPEAKER_L,  SPEAKER_LS,  SPEAKER_LB,
                                       SPEAKER_RB, SPEAKER_RS, SPEAKER_SUB, SPEAKER_R};

// Values are formatted as 8-bit text; every character of these formats is ASCII.
template <typename... Args>
std::u16string Format(const char* format, Args... args) {
    char text[96];
    const int n = std::snprintf(text, sizeof text, format, args...);
    std::u16string wide;
    for (int i = 0; i < n && i < static_cast<int>(sizeof text) - 1; ++i) {
        wide += static_cast<char16_t>(static_cast<unsigned char>(text[i]));
    }
    return wide;
}

std::u16string PresetKey(int preset) {
    return u"S" + std::u16string(1, static_cast<char16_t>(u'0' + preset));
}

// The saving flag is cleared however the save ends.
class SavingFlag {
public:
    explicit SavingFlag(PanelState& state) : state_(state) { state_.saving = 1; }
    ~SavingFlag() { state_.saving = 0; }
    SavingFlag(const SavingFlag&) = delete;
    SavingFlag& operator=(const SavingFlag&) = delete;

private:
    PanelState& state_;
};

// A value split at every comma; a field the line does not have reads as empty.
class Fields {
public:
    explicit Fields(const std::u16string& value) {
        size_t start = 0;
        for (;;) {
            const size_t comma = value.find(u',', start);
            fields_.push_back(value.substr(start, comma - start));
            if (comma == std::u16string::npos) {
                break;
            }
            start = comma + 1;
        }
    }
    std::u16string operator[](size_t i) const { return i < fields_.size() ? fields_[i] : u""; }

private:
    std::vector<std::u16string> fields_;
};

class ProfileReader {
public:
    ProfileReader(IProfileStrings& strings, const std::u16string& file)
        : strings_(strings), file_(file) {}

    std::u16string Value(const char16_t* section, const std::u16string& key) const {
        return ReadProfileValue(strings_, file_, section, key);
    }

    // A number of [section] key; the error names where it stood.
    int32_t Number(const std::u16string& text, const char16_t* section,
                   const std::u16string& key) const {
        try {
            return TextToInt(text);
        } catch (const PanelError& e) {
            throw PanelError(e.text() + u" ([" + section + u"] " + key + u")");
        }
    }
    int32_t Number(const char16_t* section, const std::u16string& key) const {
        return Number(Value(section, key), section, key);
    }
    // A number held to what the headset takes: the file is the user's to edit.
    int32_t Within(const char16_t* section, const std::u16string& key, int lo, int hi) const {
        return ClampInt(Number(section, key), lo, hi);
    }
    // A switch: any non-zero number is on.
    int32_t Flag(const std::u16string& text, const char16_t* section,
                 const std::u16string& key) const {
        return Number(text, section, key) != 0 ? 1 : 0;
    }
    int32_t Flag(const char16_t* section, const std::u16string& key) const {
        return Flag(Value(section, key), section, key);
    }

private:
    IProfileStrings& strings_;
    const std::u16string& file_;
};

// The offset a loaded gain gives its slider.
int LoadedOffset(uint16_t gain, int travel) {
    const int64_t d = gain <= 1024 ? gain : (gain - 1023) / 3 + 1024;
    return static_cast<int>((2048 - d) * travel / 2048);
}

void ShowEffectButtons(PanelContext& ctx) {
    for (int effect = 1; effect <= 5; ++effect) {
        ctx.view.ShowToggle(TAG_EFFECT_NOTHING + effect - 1, effect == ctx.state.currentEffect);
    }
}

}  // namespace

std::u16string ReadProfileValue(IProfileStrings& strings, const std::u16string& file,
                                const std::u16string& section, const std::u16string& key) {
    char16_t buffer[kValueBuffer] = {};
    const uint32_t n = strings.GetString(section, key, u"", buffer, kValueBuffer, file);
    return std::u16string(buffer, n < kValueBuffer ? n : kValueBuffer - 1);
}

void WriteProfile(PanelContext& ctx, IProfileStrings& strings, const std::u16string& file) {
    PanelState& s = ctx.state;
    const auto put = [&](const char16_t* section, const std::u16string& key,
                         const std::u16string& value) {
        strings.WriteString(section, key, value, file);
    };
    SavingFlag saving(s);
    for (int preset = 1; preset <= kEqPresetCount; ++preset) {
        PresetRecall(ctx, preset);
        const uint16_t* g = s.workingEq.Gain;
        put(u"EQ", PresetKey(preset),
            Format("0x%X,0x%X,0x%X,0x%X,0x%X,%d", g[0], g[1], g[2], g[3], g[4], s.eqEnabled));
    }
    PresetRecall(ctx, s.currentPreset);

    put(u"3D", u"LeftAlpha", Format("%d", s.d3.LeftAlpha));
    put(u"3D", u"LeftBeta", Format("%d", s.d3.LeftBeta));
    put(u"3D", u"RightAlpha", Format("%d", s.d3.RightAlpha));
    put(u"3D", u"RightBeta", Format("%d", s.d3.RightBeta));
    put(u"3D", u"FBM", Format("%d", s.fbm));
    put(u"3D", u"3DEN", Format("%d", s.d3Enabled));
    put(u"Effect", u"CurrentEffect", Format("%d", s.currentEffect));

    for (int speaker : kSaveOrder) {
        const Point at = ctx.view.ImagePosition(TAG_SPEAKER_L + speaker);
        put(u"Virtual7ch1", kSpeakerKeys[speaker], Format("%d,%d", at.x, at.y));
    }
    put(u"Virtual7ch1", u"7ch1EN", Format("%d", s.virtualEnabled));
    put(u"LED", u"LEDON", Format("%d", s.led));
}

uint32_t ReadProfile(PanelContext& ctx, IProfileStrings& strings, const std::u16string& file) {
    PanelState& s = ctx.state;
    const ProfileReader in(strings, file);
    if (!ctx.device.devicePresent) {
        ctx.device.synchronise = 0;
    }
    EqEnableWrite(ctx, s.eqEnabled);
    D3EnableWrite(ctx, s.d3Enabled);

    for (int i = 0; i < kEqPresetCount; ++i) {
        const std::u16string key = PresetKey(i + 1);
        const Fields fields(in.Value(u"EQ", key));
        for (int band = 0; band < kEqBandCount; ++band) {
            const uint16_t gain =
                static_cast<uint16_t>(ClampInt(in.Number(fields[band], u"EQ", key), 0, kEqMaxGain));
            s.workingEq.Gain[band] = gain;
            s.eqOffsets[i][band] = LoadedOffset(gain, ctx.skin.sliderTravel);
            PresetStore(s, i);
        }
        s.eqEnabled = in.Flag(fields[5], u"EQ", key);
        PresetRecall(ctx, i + 1);
        PresetDisplay(ctx, i);
        EqBypassUpdate(ctx, s.eqEnabled);
        PresetRecall(ctx, s.currentPreset);
        PresetDisplay(ctx, s.currentPreset - 1);
        EqBypassUpdate(ctx, s.eqEnabled);
    }
    EqEnableWrite(ctx, s.eqEnabled);

    s.d3.LeftAlpha = static_cast<uint8_t>(in.Within(u"3D", u"LeftAlpha", 0, k3DMaxValue));
    s.d3.LeftBeta = static_cast<uint8_t>(in.Within(u"3D", u"LeftBeta", 0, k3DMaxValue));
    s.d3.RightAlpha = static_cast<uint8_t>(in.Within(u"3D", u"RightAlpha", 0, k3DMaxValue));
    s.d3.RightBeta = static_cast<uint8_t>(in.Within(u"3D", u"RightBeta", 0, k3DMaxValue));
    s.fbm = in.Flag(u"3D", u"FBM");
    s.d3Enabled = in.Flag(u"3D", u"3DEN");
    D3BypassUpdate(ctx, s.d3Enabled);
    if (!s.eqEnabled) {
        EqEnableWrite(ctx, s.d3Enabled);
    }
    D3EnableWrite(ctx, s.d3Enabled);
    ctx.view.ShowToggle(TAG_FBM_SWITCH, s.fbm != 0);
    ctx.view.ShowToggle(TAG_3D_SWITCH, s.d3Enabled != 0);
    Refresh3DValueLabels(ctx);
    Place3DSliders(ctx);

    s.currentEffect = in.Within(u"Effect", u"CurrentEffect", 1, kEffectCount);
    ShowEffectButtons(ctx);
    EffectSelection(ctx, static_cast<uint32_t>(s.currentEffect) - 1u);

    s.virtualEnabled = in.Flag(u"Virtual7ch1", u"7ch1EN");
    for (int speaker = 0; speaker < kSpeakerCount; ++speaker) {
        const std::u16string key = kSpeakerKeys[speaker];
        const Fields fields(in.Value(u"Virtual7ch1", key));
        const int left = in.Number(fields[0], u"Virtual7ch1", key);
        const int top = in.Number(fields[1], u"Virtual7ch1", key);
        ctx.view.MoveImage(TAG_SPEAKER_L + speaker, {left, top});
        ctx.view.ShowToggle(TAG_VIRTUAL_SWITCH, s.virtualEnabled != 0);
    }
    PlaceSpeakersAndSend(ctx, s.rotation);

    const std::u16string led = in.Value(u"LED", u"LEDON");
    if (!led.empty()) {
        s.led = in.Flag(led, u"LED", u"LEDON");
        ctx.view.ShowToggle(TAG_LED, s.led != 0);
        LedWrite(ctx, s.led);
    }
    return 0;
}
