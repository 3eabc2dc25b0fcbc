#include <gtest/gtest.h>

#include <array>

#include "ControlTags.h"
#include "LogicFixture.h"
#include "UserActions.h"
#include "VirtualSpeakers.h"

namespace {

class VirtualSpeakers : public LogicTest {
protected:
    std::array<Point, kSpeakerCount> Icons() const {
        std::array<Point, kSpeakerCount> icons;
        ReadSpeakerIcons(view, icons.data());
        return icons;
    }
    // The table the driver should have for the icons where they are now.
    std::array<float, kSpeakerTableSize> TableOfIcons() const {
        RotationState scratch;
        std::array<float, kSpeakerTableSize> table;
        ComputeSpeakerTable(Icons().data(), skin.centerX, skin.centerY, scratch, table.data());
        return table;
    }
    size_t SpeakerCommands() {
        size_t n = 0;
        for (const auto& command : sim.ExtDriver().Commands()) {
            n += command.code == 0x00223140 ? 1 : 0;
        }
        return n;
    }
    static RotationState Sentinel() {
        RotationState r;
        for (int k = 0; k < kSpeakerCount; ++k) {
            r.angle[k] = 100.0f + k;
            r.distance[k] = 1000.0 + k;
        }
        return r;
    }
    static void ExpectSameState(const RotationState& a, const RotationState& b) {
        for (int k = 0; k < kSpeakerCount; ++k) {
            EXPECT_EQ(a.angle[k], b.angle[k]) << k;
            EXPECT_EQ(a.distance[k], b.distance[k]) << k;
        }
    }
};

TEST_F(VirtualSpeakers, ResetPlacesTheCircleAndFillsThePanelsState) {
    Start();
    state.rotation = Sentinel();
    RunControlAction(ctx, TAG_VIRTUAL_RESET);
    Point expected[kSpeakerCount];
    DefaultSpeakerLayout({skin.centerX, skin.centerY, skin.radius}, expected);
    const auto icons = Icons();
    for (int k = 0; k < kSpeakerCount; ++k) {
        EXPECT_EQ(icons[k], expected[k]) << k;
    }
    EXPECT_EQ(state.rotation.distance[SPEAKER_C], 96.0);
    EXPECT_NEAR(state.rotation.angle[SPEAKER_C], 1.5708, 1e-4);
    EXPECT_EQ(sim.ExtDriver().SpeakerTable(), TableOfIcons());
    EXPECT_EQ(sim.ExtDriver().SpeakersEnabled(), 0u);
    EXPECT_EQ(SpeakerCommands(), 1u);
}

TEST_F(VirtualSpeakers, SwitchSendsFromAScratchCopyAndDragFromThePanelsState) {
    Start();
    state.rotation = Sentinel();
    RunControlAction(ctx, TAG_VIRTUAL_SWITCH);
    EXPECT_EQ(state.virtualEnabled, 1);
    EXPECT_TRUE(view.toggles[TAG_VIRTUAL_SWITCH]);
    EXPECT_EQ(sim.ExtDriver().SpeakersEnabled(), 1u);
    EXPECT_EQ(sim.ExtDriver().SpeakerTable(), TableOfIcons());
    ExpectSameState(state.rotation, Sentinel());

    view.MoveImage(TAG_SPEAKER_L + SPEAKER_RS, {skin.centerX + 36, skin.centerY});
    OnSpeakerIconDragged(ctx);
    EXPECT_EQ(sim.ExtDriver().SpeakerTable(), TableOfIcons());
    EXPECT_EQ(sim.ExtDriver().SpeakerTable()[SPEAKER_RS], 1.0f);
    EXPECT_EQ(state.rotation.distance[SPEAKER_RS], 36.0);
    EXPECT_NEAR(state.rotation.distance[SPEAKER_L], 100.125, 1e-3);  // (80,145) from (180,150)
}

struct TimerCase {
    const char* name;
    bool present;
    int32_t clockwise;
    int32_t counter;
    int direction;  // +1, -1, 0 for no step
};

TEST_F(VirtualSpeakers, TimerStepsOnlyWithTheDeviceAndADirection) {
    const TimerCase cases[] = {
        {"clockwise", true, 1, 0, +1},
        {"counter-clockwise", true, 0, 1, -1},
        {"both on: clockwise wins", true, 1, 1, +1},
        {"neither", true, 0, 0, 0},
        {"device absent", false, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        VirtualReset(ctx);
        device.devicePresent = c.present ? 1 : 0;
        state.rotateClockwise = c.clockwise;
        state.rotateCounterClockwise = c.counter;
        sim.ExtDriver().ClearCommands();
        const RotationState before = state.rotation;
        TimerTimer(ctx);
        EXPECT_EQ(SpeakerCommands(), c.direction != 0 ? 1u : 0u);
        for (int k = 0; k < kSpeakerCount; ++k) {
            const float a = before.angle[k];
            const float expected =
                c.direction == 0 ? a
                                 : AdvanceAngle(a, c.direction > 0 ? Rotation::Clockwise
                                                                   : Rotation::CounterClockwise);
            EXPECT_EQ(state.rotation.angle[k], expected) << k;
        }
        EXPECT_TRUE(sim.Trace().Filter("HID").empty());
    }
}

TEST_F(VirtualSpeakers, TicksKeepTheAdvancedAnglesNotTheOnesFromPixels) {
    Start();
    VirtualReset(ctx);
    state.virtualEnabled = 1;
    state.rotateClockwise = 1;
    RotationState expected = state.rotation;
    bool tableDiffers = false;
    for (int tick = 0; tick < 50; ++tick) {
        TimerTimer(ctx);
        for (int k = 0; k < kSpeakerCount; ++k) {
            expected.angle[k] = AdvanceAngle(expected.angle[k], Rotation::Clockwise);
        }
        ExpectSameState(state.rotation, expected);
        // The driver hears the angles of the truncated icon positions.
        const auto& sent = sim.ExtDriver().SpeakerTable();
        EXPECT_EQ(sent, TableOfIcons());
        for (int k = 0; k < kSpeakerCount; ++k) {
            tableDiffers |= sent[kSpeakerCount + k] != state.rotation.angle[k];
        }
    }
    EXPECT_TRUE(tableDiffers);
    EXPECT_EQ(sim.ExtDriver().SpeakersEnabled(), 1u);
}

TEST_F(VirtualSpeakers, DriverAbsentTheIconsStillTurn) {
    Start();
    VirtualReset(ctx);
    sim.ExtDriver().Faults().absent = true;
    state.rotateCounterClockwise = 1;
    const auto before = Icons();
    for (int tick = 0; tick < 10; ++tick) {
        TimerTimer(ctx);
    }
    EXPECT_NE(Icons(), before);
    EXPECT_EQ(RotationStep(ctx, Rotation::Clockwise), 1u);
}

}  // namespace
