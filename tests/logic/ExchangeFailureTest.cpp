// A failed register step ends the operation with its code and closes the handle without the idle
// report; the disabling writes need the presence handle.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "D3Operations.h"
#include "EqOperations.h"
#include "LogicFixture.h"

namespace {

const char kIdle[] = "HID SET 00 00 00 00 00";

enum class Fault { RejectAddress, DropInput, RejectNthOutput };

struct FailureCase {
    const char* name;
    Fault fault;
    int argument;  // register address, or which report
    std::function<uint32_t(PanelContext&)> run;
    uint32_t code;
};

class ExchangeFailure : public LogicTest {};

TEST_F(ExchangeFailure, FailedStepEndsWithItsCodeAndNoIdleReport) {
    const auto eqOn = [](PanelContext& c) { return EqEnableWrite(c, 1); };
    const auto eqOff = [](PanelContext& c) { return EqEnableWrite(c, 0); };
    const auto d3On = [](PanelContext& c) { return D3EnableWrite(c, 1); };
    const auto d3Off = [](PanelContext& c) { return D3EnableWrite(c, 0); };
    const FailureCase cases[] = {
        {"EQ bypass: read", Fault::DropInput, 1,
         [](PanelContext& c) { return EqBypassUpdate(c, 1); }, 2},
        {"EQ bypass: write", Fault::RejectNthOutput, 3,
         [](PanelContext& c) { return EqBypassUpdate(c, 1); }, 3},
        {"3D bypass: read", Fault::DropInput, 1,
         [](PanelContext& c) { return D3BypassUpdate(c, 1); }, 2},
        {"EQ on: read 0x100", Fault::DropInput, 1, eqOn, 2},
        {"EQ on: write 0x100", Fault::RejectNthOutput, 2, eqOn, 3},
        {"EQ on: band registers", Fault::RejectAddress, 0x125, eqOn, 4},
        {"EQ on: idle report", Fault::RejectNthOutput, 24, eqOn, 7},
        {"EQ off: read 0x100", Fault::DropInput, 1, eqOff, 5},
        {"EQ off: write 0x100", Fault::RejectNthOutput, 2, eqOff, 6},
        {"3D on: 3D registers", Fault::RejectAddress, 0x18B, d3On, 4},
        {"3D off: read 0x18A", Fault::DropInput, 1, d3Off, 5},
        {"3D off: write 0x18A", Fault::RejectNthOutput, 3, d3Off, 6},
        {"FBM: read", Fault::DropInput, 1, [](PanelContext& c) { return FbmWrite(c, 0); }, 3},
        {"FBM: write", Fault::RejectNthOutput, 2, [](PanelContext& c) { return FbmWrite(c, 0); },
         4},
        {"band 0: low byte", Fault::RejectAddress, 0x120,
         [](PanelContext& c) { return BandWrite(c, 29, 1); }, 2},
        {"band 4: read 0x129", Fault::DropInput, 2,  // the first read is the bypass update's
         [](PanelContext& c) { return BandWrite(c, 33, 1); }, 3},
        {"band 1: high nibble", Fault::RejectAddress, 0x123,
         [](PanelContext& c) { return BandWrite(c, 30, 1); }, 4},
        {"preset recall", Fault::RejectAddress, 0x129,
         [](PanelContext& c) { return PresetRecall(c, 1); }, 2},
        {"left channel: 0x18A", Fault::DropInput, 1,
         [](PanelContext& c) { return LeftChannel3DWrite(c, 1); }, 2},
        {"left channel: left", Fault::RejectAddress, 0x18B,
         [](PanelContext& c) { return LeftChannel3DWrite(c, 1); }, 4},
        {"right channel: right", Fault::RejectAddress, 0x18C,
         [](PanelContext& c) { return RightChannel3DWrite(c, 1); }, 5},
        {"3D reset", Fault::DropInput, 1, [](PanelContext& c) { return D3Reset(c); }, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Place3DSliders(ctx);
        Take();
        SimHidFaults& faults = sim.Hid().Faults();
        switch (c.fault) {
            case Fault::RejectAddress:
                faults.rejectAddress = static_cast<uint16_t>(c.argument);
                break;
            case Fault::DropInput:
                faults.dropInputReport = c.argument;
                break;
            case Fault::RejectNthOutput:
                faults.rejectOutputReport = c.argument;
                break;
        }
        EXPECT_EQ(c.run(ctx), c.code);
        const auto lines = Take();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "HID CLOSE");
        // Only a nested exchange that completed before the failure may carry an idle report.
        size_t failure = 0;
        while (failure < lines.size() && lines[failure].find("FAIL") == std::string::npos) {
            ++failure;
        }
        ASSERT_LT(failure, lines.size());
        EXPECT_EQ(std::find(lines.begin() + failure, lines.end(), kIdle), lines.end());
        EXPECT_EQ(sim.Hid().OpenHandles(), 1);  // the presence handle alone
        faults = SimHidFaults{};
    }
}

TEST_F(ExchangeFailure, EqResetStopsBeforeThe3DBypassWhenTheRecordFails) {
    Start();
    sim.Hid().Faults().rejectAddress = 0x128;  // band 4's low byte, in every exchange
    EXPECT_EQ(EqReset(ctx), 4u);
    const auto lines = Take();
    // The reset's own, then per band the band write's and its bypass update's; no 3D bypass.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "HID OPEN 3F9C:4712"), 1 + 5 * 2);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "HID SET-FAIL 00 60 28 01 10");
    EXPECT_EQ(lines.back(), "HID CLOSE");
}

TEST_F(ExchangeFailure, DisablingWritesNeedThePresenceHandle) {
    Start();
    device.presence.reset();
    Take();
    EXPECT_EQ(EqEnableWrite(ctx, 0), 0u);
    EXPECT_EQ(D3EnableWrite(ctx, 0), 0u);
    Expect expected = Exchange(Expect());
    expected.Then(Exchange(Expect()));
    EXPECT_EQ(Take(), expected.Lines());
    // Only exactly 1 switches on: any other value is a disable.
    Start();
    EXPECT_EQ(EqEnableWrite(ctx, 2), 0u);
    EXPECT_EQ(Take(), Exchange(Expect().Read(0x100, 0x83).Write(0x100, 0x83)).Lines());
}

}  // namespace
