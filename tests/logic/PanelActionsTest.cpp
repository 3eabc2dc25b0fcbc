// The actions that are neither equaliser nor 3D sliders: LED, effects, Sync, pages, rotation
// switches; and how every action behaves with synchronise off and with the headset absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ControlTags.h"
#include "D3Operations.h"
#include "EqOperations.h"
#include "LedAndEffect.h"
#include "LogicFixture.h"
#include "UserActions.h"

namespace {

class PanelActions : public LogicTest {};

TEST_F(PanelActions, LedDarkWritesAllPinsLowAndLitOnlyReadsThem) {
    Start();
    OnLedSwitch(ctx);
    EXPECT_EQ(Take(), Exchange(Expect().Line("HID SET 00 60 00 FF 3C")).Lines());
    EXPECT_EQ(state.led, 0);
    EXPECT_FALSE(view.toggles[TAG_LED]);

    OnLedSwitch(ctx);
    EXPECT_EQ(
        Take(),
        Exchange(Expect().Line("HID SET 00 60 00 00 30").Line("HID GET 00 60 00 00 00")).Lines());
    EXPECT_EQ(state.led, 1);
}

TEST_F(PanelActions, LedGpioFailureEndsWithoutIdleReport) {
    Start();
    sim.Hid().Faults().rejectOutputReport = 1;
    EXPECT_EQ(LedWrite(ctx, 0), 2u);
    EXPECT_EQ(Take(), Expect().Open().Line("HID SET-FAIL 00 60 00 FF 3C").Close().Lines());
}

TEST_F(PanelActions, EffectButtonsSelectTagMinus16) {
    Start();
    for (int tag = TAG_EFFECT_NOTHING; tag <= TAG_EFFECT_STONE_GALLERY; ++tag) {
        SCOPED_TRACE(tag);
        EXPECT_TRUE(RunControlAction(ctx, tag));
        EXPECT_EQ(state.currentEffect, tag - 15);
        EXPECT_EQ(sim.ExtDriver().Effect(), static_cast<uint32_t>(tag - 16));
        const auto lines = Take();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].rfind("DRV 002230F0 00000000", 0), 0u) << lines[0];
    }
}

struct SyncCase {
    const char* name;
    int page;
    bool present;
    bool flips;
    int exchanges;
};

TEST_F(PanelActions, SyncButtonFlipsOnlyOnTheEqAnd3DPagesWithTheDevice) {
    const SyncCase cases[] = {
        {"EQ page", PAGE_EQ, true, true, 1},
        {"3D page", PAGE_3D, true, true, 2},
        {"Effect page", PAGE_EFFECT, true, false, 0},
        {"Mic page", PAGE_MIC, true, false, 0},
        {"Virtual page", PAGE_VIRTUAL, true, false, 0},
        {"no device", PAGE_EQ, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.present);
        view.page = c.page;
        const int32_t before = device.synchronise;
        RunControlAction(ctx, TAG_SYNC);
        EXPECT_EQ(device.synchronise != before, c.flips);
        const auto lines = Take();
        EXPECT_EQ(static_cast<int>(std::count(lines.begin(), lines.end(), "HID CLOSE")),
                  c.exchanges);
        if (c.flips) {
            EXPECT_FALSE(view.toggles[TAG_SYNC]);
        }
    }
}

TEST_F(PanelActions, PagesOtherThanEqAnd3DSendNothing) {
    Start();
    for (int page : {PAGE_EFFECT, PAGE_MIC, PAGE_VIRTUAL}) {
        OnPageShown(ctx, page);
    }
    EXPECT_TRUE(Take().empty());
    OnPageShown(ctx, PAGE_EQ);
    EXPECT_EQ(Take(), Exchange(Expect().Read(0x100, 0x83).Write(0x100, 0x83)).Lines());
}

TEST_F(PanelActions, RotationSwitchesExcludeEachOtherWithoutTraffic) {
    Start();
    const struct {
        int tag;
        int32_t clockwise;
        int32_t counter;
    } presses[] = {
        {TAG_ROTATE_CLOCKWISE, 1, 0},        {TAG_ROTATE_COUNTERCLOCKWISE, 0, 1},
        {TAG_ROTATE_CLOCKWISE, 1, 0},        {TAG_ROTATE_CLOCKWISE, 0, 0},
        {TAG_ROTATE_COUNTERCLOCKWISE, 0, 1}, {TAG_ROTATE_COUNTERCLOCKWISE, 0, 0},
    };
    for (const auto& p : presses) {
        RunControlAction(ctx, p.tag);
        EXPECT_EQ(state.rotateClockwise, p.clockwise);
        EXPECT_EQ(state.rotateCounterClockwise, p.counter);
        EXPECT_EQ(view.toggles[TAG_ROTATE_CLOCKWISE], p.clockwise == 1);
        EXPECT_EQ(view.toggles[TAG_ROTATE_COUNTERCLOCKWISE], p.counter == 1);
    }
    EXPECT_TRUE(Take().empty());
}

struct OperationCase {
    const char* name;
    std::function<void(PanelContext&)> run;
    bool reachesChip;
};

TEST_F(PanelActions, SynchroniseOffKeepsOnlyTheEnableFbmAndLedWrites) {
    const OperationCase cases[] = {
        {"band write", [](PanelContext& c) { BandWrite(c, 29, c.device.synchronise); }, false},
        {"preset recall", [](PanelContext& c) { PresetRecall(c, 2); }, false},
        {"EQ bypass update", [](PanelContext& c) { EqBypassUpdate(c, 1); }, false},
        {"3D bypass update", [](PanelContext& c) { D3BypassUpdate(c, 1); }, false},
        {"EQ reset", [](PanelContext& c) { EqReset(c); }, false},
        {"3D reset", [](PanelContext& c) { D3Reset(c); }, false},
        {"3D channel writes", [](PanelContext& c) { On3DSliderMoved(c, 34, 150); }, false},
        {"EQ enable write", [](PanelContext& c) { EqEnableWrite(c, 1); }, true},
        {"EQ disable write", [](PanelContext& c) { EqEnableWrite(c, 0); }, true},
        {"3D enable write", [](PanelContext& c) { D3EnableWrite(c, 1); }, true},
        {"3D disable write", [](PanelContext& c) { D3EnableWrite(c, 0); }, true},
        {"FBM write", [](PanelContext& c) { FbmWrite(c, 0); }, true},
        {"LED write", [](PanelContext& c) { LedWrite(c, 0); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        device.synchronise = 0;
        c.run(ctx);
        size_t commands = 0;
        for (const auto& line : Take()) {
            commands += line.rfind("HID SET 00 60", 0) == 0 ? 1 : 0;
        }
        EXPECT_EQ(commands > 0, c.reachesChip);
    }
}

struct AbsentCase {
    const char* name;
    std::function<void(PanelContext&)> run;
    int opens;
    std::function<bool(const PanelState&)> changed;
};

TEST_F(PanelActions, HeadsetAbsentEveryExchangeEndsAtTheOpenAndTheStateChangesAnyway) {
    const AbsentCase cases[] = {
        {"EQ switch", OnEqSwitch, 2, [](const PanelState& s) { return s.eqEnabled == 1; }},
        {"3D switch", On3DSwitch, 3, [](const PanelState& s) { return s.d3Enabled == 1; }},
        {"preset S3", [](PanelContext& c) { RunControlAction(c, 11); }, 3,
         [](const PanelState& s) { return s.currentPreset == 3; }},
        {"FBM", OnFbmSwitch, 1, [](const PanelState& s) { return s.fbm == 0 && s.d3.FBM == 0; }},
        {"LED", OnLedSwitch, 1, [](const PanelState& s) { return s.led == 0; }},
        {"EQ slider", [](PanelContext& c) { OnEqSliderMoved(c, 30, 100); }, 1,
         [](const PanelState& s) { return s.workingEq.Gain[1] == 4095; }},
        {"3D slider", [](PanelContext& c) { On3DSliderMoved(c, 35, 105); }, 2,
         [](const PanelState& s) { return s.d3.LeftAlpha == 15; }},
        {"EQ reset", OnEqResetButton, 1,
         [](const PanelState& s) { return s.workingEq == EqRecord{}; }},
        {"3D reset",
         [](PanelContext& c) {
             c.state.fbm = 0;
             D3Reset(c);
         },
         1, [](const PanelState& s) { return s.fbm == 1; }},
        {"EQ page", [](PanelContext& c) { OnPageShown(c, PAGE_EQ); }, 1,
         [](const PanelState&) { return true; }},
    };
    for (bool neverFound : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(neverFound ? "not found at start" : "removed");
            if (neverFound) {
                Start(false);
            } else {
                Start();
                Remove();
            }
            c.run(ctx);
            const uint16_t vid = neverFound ? 0 : SimHeadset::kVendorId;
            const uint16_t pid = neverFound ? 0 : SimHeadset::kProductId;
            Expect expected;
            for (int i = 0; i < c.opens; ++i) {
                expected.OpenFail(vid, pid);
            }
            EXPECT_EQ(TakeHid(), expected.Lines());
            EXPECT_TRUE(c.changed(state));
        }
    }
}

}  // namespace
