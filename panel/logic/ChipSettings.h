// The settings the panel keeps for the headset, one row each: where the chip (or the extension
// driver) holds it, what it may hold, where a profile keeps it, its member of the panel state,
// what the shutdown leaves it at and when an arrival sends it again. Profile writing and reading,
// the arrival and the shutdown all walk this one table in its order, so they cannot drift apart.
// Adding a setting: see README.md in this folder.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "ControlTags.h"
#include "PanelContext.h"
#include "ProfileText.h"

// Bits of one register that a setting occupies; the value sits at the mask's lowest bit.
struct RegisterField {
    uint16_t address = 0;  // 0: no register (the LED's GPIO, the extension driver)
    uint8_t mask = 0;

    int Shift() const;
    uint8_t Bits(int32_t value) const;  // value placed under the mask
    int32_t Value(uint8_t bits) const;  // and taken back out
};

// Where the arrival (and the resume, which re-applies what it does) sends a setting again.
enum class ArrivalStage {
    None,
    First,            // before the wait, on every page it names
    AfterMicrophone,  // after the microphone's refresh
    AfterDriverReset  // after the driver's status query, cleared speakers and parameter query
};

enum class IfMissing {
    Error,      // an empty or missing value is the conversion error naming the key
    LeaveAlone  // nothing is read, set or sent
};

constexpr uint32_t PageBit(int page) {
    return 1u << page;
}
constexpr uint32_t kEveryPage = PageBit(PAGE_EQ) | PageBit(PAGE_3D) | PageBit(PAGE_EFFECT) |
                                PageBit(PAGE_MIC) | PageBit(PAGE_VIRTUAL);

struct ChipSetting;
using SettingStep = void (*)(PanelContext&, const ChipSetting&);
using LastExchangeStep = void (*)(PanelContext&, const ChipSetting&, IHidDevice&);
using SettingWrite = void (*)(PanelContext&, const ChipSetting&, const ProfileOut&);
using SettingRead = void (*)(PanelContext&, const ChipSetting&, const ProfileIn&);

// The member of the panel state that holds a setting, as a number.
struct StateMember {
    int32_t (*get)(const PanelState&) = nullptr;
    void (*set)(PanelState&, int32_t) = nullptr;
};

namespace chip_setting_detail {
template <auto M>
int32_t Get(const PanelState& s) {
    return static_cast<int32_t>(s.*M);
}
template <auto M>
void Set(PanelState& s, int32_t v) {
    s.*M = static_cast<std::remove_reference_t<decltype(s.*M)>>(v);
}
}  // namespace chip_setting_detail

// Member<&PanelState::led>()
template <auto M>
constexpr StateMember Member() {
    return {&chip_setting_detail::Get<M>, &chip_setting_detail::Set<M>};
}

// One row, built as ChipSetting("name").Registers(...).Range(...).Profile(...)...; a step left
// null is not taken.
struct ChipSetting {
    static constexpr int kMaxFields = 4;

    const char* name = "";
    // On the headset.
    RegisterField registers[kMaxFields] = {};
    // What the headset takes of the member's value (or, in a row without one, of its values); a
    // load holds a file's number within lo..hi.
    int32_t lo = 0;
    int32_t hi = 0;
    bool flag = false;  // a switch: 0 or 1, any non-zero number in a file is 1
    // In a profile: [section] key, written as "%d" and read as a number unless the row has its
    // own text (several keys or fields).
    const char16_t* section = u"";
    const char16_t* key = u"";
    IfMissing missing = IfMissing::Error;
    SettingWrite write = nullptr;
    SettingRead read = nullptr;
    // In the panel state; empty where the row keeps more than one number.
    StateMember member;
    // Loading: sent first with the value before loading, and once the row's keys are read.
    SettingStep sentBeforeLoad = nullptr;
    SettingStep loaded = nullptr;
    // Shutdown: the value it leaves on the headset; steps in their own exchanges, in table order,
    // then steps inside the shutdown's last exchange, again in table order. The state keeps what
    // was saved.
    int32_t neutral = 0;
    SettingStep toNeutral = nullptr;
    LastExchangeStep inLastExchange = nullptr;
    // Arrival: on the pages named, at its stage.
    ArrivalStage arrival = ArrivalStage::None;
    uint32_t pages = 0;
    SettingStep send = nullptr;
    // On screen: the slider that shows it (its top stands for hi, its bottom for lo).
    ControlTag slider = TAG_NONE;

    constexpr explicit ChipSetting(const char* settingName) : name(settingName) {}

    constexpr ChipSetting Registers(RegisterField a, RegisterField b = {}, RegisterField c = {},
                                    RegisterField d = {}) const {
        ChipSetting r = *this;
        r.registers[0] = a;
        r.registers[1] = b;
        r.registers[2] = c;
        r.registers[3] = d;
        return r;
    }
    constexpr ChipSetting Range(int32_t low, int32_t high) const {
        ChipSetting r = *this;
        r.lo = low;
        r.hi = high;
        return r;
    }
    constexpr ChipSetting Switch() const {
        ChipSetting r = Range(0, 1);
        r.flag = true;
        return r;
    }
    constexpr ChipSetting Profile(const char16_t* s, const char16_t* k,
                                  IfMissing m = IfMissing::Error) const {
        ChipSetting r = *this;
        r.section = s;
        r.key = k;
        r.missing = m;
        return r;
    }
    constexpr ChipSetting OwnText(SettingWrite w, SettingRead rd) const {
        ChipSetting r = *this;
        r.write = w;
        r.read = rd;
        return r;
    }
    constexpr ChipSetting In(StateMember m) const {
        ChipSetting r = *this;
        r.member = m;
        return r;
    }
    constexpr ChipSetting OnLoad(SettingStep first, SettingStep afterKeys) const {
        ChipSetting r = *this;
        r.sentBeforeLoad = first;
        r.loaded = afterKeys;
        return r;
    }
    constexpr ChipSetting Neutral(int32_t value, SettingStep own,
                                  LastExchangeStep last = nullptr) const {
        ChipSetting r = *this;
        r.neutral = value;
        r.toNeutral = own;
        r.inLastExchange = last;
        return r;
    }
    constexpr ChipSetting OnArrival(ArrivalStage stage, uint32_t onPages, SettingStep step) const {
        ChipSetting r = *this;
        r.arrival = stage;
        r.pages = onPages;
        r.send = step;
        return r;
    }

    constexpr ChipSetting ShownBy(ControlTag sliderTag) const {
        ChipSetting r = *this;
        r.slider = sliderTag;
        return r;
    }

    int32_t Get(const PanelState& s) const { return member.get ? member.get(s) : 0; }
};

// The table, in the order a profile holds the settings.
const std::vector<ChipSetting>& ChipSettings();

// Steps for a setting that is one register field: the member's value (or the neutral value)
// written with a read-modify-write in an exchange of its own, with synchronise; then the idle
// report.
void SendRegisterField(PanelContext& ctx, const ChipSetting& setting);
void SendNeutralRegisterField(PanelContext& ctx, const ChipSetting& setting);

// A setting shown by a slider: its load step places the slider from the value, then sends it;
// a move takes the value from where the slider stands on its travel, keeps it and sends it (the
// row's arrival step, else the field).
void PlaceSliderAndSend(PanelContext& ctx, const ChipSetting& setting);
void MoveSettingSlider(PanelContext& ctx, const ChipSetting& setting, int top);
// The value a slider at this Top stands for on its travel (rounded; lo below, hi above it).
int32_t SettingValueAt(const ChipSetting& setting, const SliderRange& travel, int top);
// The row whose ShownBy names this slider, or null.
const ChipSetting* SettingShownBy(int sliderTag);

// A profile written and read row by row; see ProfileFile.h.
void WriteChipSettings(PanelContext& ctx, const ProfileOut& out);
void ReadChipSettings(PanelContext& ctx, const ProfileIn& in);

// The shutdown's neutral settings: each row's own steps, then the last exchange (when the
// headset opens) with each row's steps in it and the idle report.
void NeutraliseChipSettings(PanelContext& ctx);

// What an arrival sends again at one stage for the page on show.
void ReapplyChipSettings(PanelContext& ctx, ArrivalStage stage, int page);
