// The settings table against the headset and the files: each row's registers are where its steps
// write, and a row's missing key does what the row says.
#include <gtest/gtest.h>

#include "ChipSettings.h"
#include "PanelError.h"
#include "PlatformHelpers.h"
#include "ProfileFile.h"
#include "ProfileFixture.h"

namespace {

std::string Narrow(const char16_t* text) {
    return std::string(text, text + std::char_traits<char16_t>::length(text));
}

// A row's first register field is where its arrival send puts the member's value and where its
// shutdown step leaves the neutral value.
TEST_F(ProfileTest, EachSettingsStepsWriteTheRegisterBitsItsRowNames) {
    for (const ChipSetting& row : ChipSettings()) {
        const RegisterField& field = row.registers[0];
        if (!row.member.set || field.address == 0) {
            continue;
        }
        SCOPED_TRACE(row.name);
        if (row.send) {
            for (int32_t value : {row.lo, row.hi}) {
                Start();
                sim.Chip().SetRegister(field.address,
                                       field.Bits(value == row.lo ? row.hi : row.lo));
                row.member.set(state, value);
                row.send(ctx, row);
                EXPECT_EQ(field.Value(sim.Chip().Register(field.address)), value);
            }
        }
        if (row.toNeutral) {
            Start();
            const int32_t other = row.neutral == row.lo ? row.hi : row.lo;
            sim.Chip().SetRegister(field.address, field.Bits(other));
            row.member.set(state, other);
            row.toNeutral(ctx, row);
            EXPECT_EQ(field.Value(sim.Chip().Register(field.address)), row.neutral);
        }
    }
}

// A profile without one key: an error naming it, or the setting left as it was.
TEST_F(ProfileTest, AMissingKeyIsTheErrorNamingItUnlessItsRowAllowsIt) {
    for (const ChipSetting& row : ChipSettings()) {
        if (row.read || !row.member.set) {
            continue;
        }
        SCOPED_TRACE(row.name);
        Start();
        const std::u16string file = folder.File(u"Missing.ini");
        WriteProfile(ctx, PlatformProfileStrings(), file);
        PlatformProfileStrings().WriteString(row.section, row.key, u"", file);
        const int32_t before = row.Get(state);
        row.member.set(state, before == row.lo ? row.hi : row.lo);
        try {
            ReadProfile(ctx, PlatformProfileStrings(), file);
            EXPECT_EQ(row.missing, IfMissing::LeaveAlone);
            EXPECT_NE(row.Get(state), before);
        } catch (const PanelError& e) {
            EXPECT_EQ(row.missing, IfMissing::Error);
            EXPECT_EQ(MessageText(e.text()), "'' is not a valid integer value ([" +
                                                 Narrow(row.section) + "] " + Narrow(row.key) +
                                                 ")");
        }
    }
}

// A setting shown by a slider: the slider's place and the value follow each other over the
// slider's own travel, and what is sent lands in the row's register bits.
TEST_F(ProfileTest, ASlidersPlaceAndItsSettingsValueFollowEachOther) {
    const ChipSetting row = ChipSetting("level")
                                .Registers({0x0190, 0x0F})
                                .Range(0, 15)
                                .In(Member<&PanelState::micLevel>())
                                .ShownBy(TAG_MIC_SLIDER);
    view.travels[TAG_MIC_SLIDER] = {100, 120};
    struct Case {
        int top;
        int32_t value;
        int placedAt;  // where the value places the slider again
    };
    for (const Case& c : {Case{100, 15, 100}, Case{220, 0, 220}, Case{160, 8, 156},
                          Case{40, 15, 100}, Case{400, 0, 220}}) {
        SCOPED_TRACE(c.top);
        Start();
        MoveSettingSlider(ctx, row, c.top);
        EXPECT_EQ(state.micLevel, c.value);
        EXPECT_EQ(row.registers[0].Value(sim.Chip().Register(0x0190)), c.value);
        PlaceSliderAndSend(ctx, row);
        EXPECT_EQ(view.Top(TAG_MIC_SLIDER), c.placedAt);
    }
    // A skin without that travel divides by nothing.
    view.travels.erase(TAG_MIC_SLIDER);
    Start();
    MoveSettingSlider(ctx, row, 5);
    PlaceSliderAndSend(ctx, row);
}

}  // namespace
