#include <gtest/gtest.h>

#include <functional>

#include "ControlTags.h"
#include "EqOperations.h"
#include "LabelText.h"
#include "LogicFixture.h"
#include "UserActions.h"

namespace {

using Lines = std::vector<std::string>;

EqRecord PresetBlock(const PanelState& state, int preset) {
    EqRecord r;
    LoadEqBlock(state.image, EqPresetOffset(preset), r);
    return r;
}

class EqActions : public LogicTest {};

TEST_F(EqActions, StartOfLifeDefaults) {
    const PanelState fresh;
    EXPECT_EQ(fresh.eqEnabled, 0);
    EXPECT_EQ(fresh.d3Enabled, 0);
    EXPECT_EQ(fresh.fbm, 1);
    EXPECT_EQ(fresh.led, 1);
    EXPECT_EQ(fresh.currentPreset, 1);
    EXPECT_EQ(fresh.currentEffect, 1);
    EXPECT_EQ(fresh.virtualEnabled + fresh.rotateClockwise + fresh.rotateCounterClockwise, 0);
    EXPECT_EQ(fresh.micBoost + fresh.micMute + fresh.micLevel + fresh.saving, 0);

    Start();
    const EqRecord flat;
    for (int p = 1; p <= 4; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(PresetBlock(state, p), flat);  // all four equal, each marked as last block
    }
    EXPECT_EQ(state.workingEq, flat);
    for (int band = 0; band < kEqBandCount; ++band) {
        const int tag = TAG_EQ_SLIDER_60HZ + band;
        EXPECT_EQ(view.Top(tag), skin.eqTop0 + skin.sliderTravel / 2) << band;
        EXPECT_EQ(view.labels[tag], u"400") << band;
        for (int p = 0; p < 4; ++p) {
            EXPECT_EQ(state.eqOffsets[p][band], skin.sliderTravel / 2);
        }
    }
    // The factory image heads the settings image; beyond the presets it stays 0xFF.
    EXPECT_EQ(state.image[0xA1], 0x7B);
    EXPECT_EQ(state.image[0xE7], 0xA3);
    EXPECT_EQ(state.image[0x140], 0xFF);
    EXPECT_EQ(state.image[0x7FF], 0xFF);
    EXPECT_EQ(state.d3.FBM, 1);
    EXPECT_EQ(state.d3.LeftAlpha, 10);
    EXPECT_EQ(state.d3.LeftBeta, 3);
    EXPECT_EQ(state.d3.RightAlpha, 10);
    EXPECT_EQ(state.d3.RightBeta, 3);
    EXPECT_FALSE(view.toggles[TAG_EQ_SWITCH]);
    EXPECT_TRUE(Take().empty());
}

TEST_F(EqActions, SwitchOnAndOffWith3DOff) {
    Start();
    OnEqSwitch(ctx);
    Expect on = Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0x64));
    on.Then(Exchange(Expect()
                         .Read(0x100, 0x83)
                         .Write(0x100, 0x87)
                         .EqRegisters(DefaultEqWith(/*bypass=*/0, /*through3D=*/0))));
    EXPECT_EQ(Take(), on.Lines());
    EXPECT_EQ(sim.Chip().Register(0x129), 0x64);
    EXPECT_EQ(sim.Chip().Register(0x100), 0x87);  // the chip's own bits kept
    EXPECT_TRUE(view.toggles[TAG_EQ_SWITCH]);
    // Preset store: the bypass change lands in preset 1, which is no longer the last block.
    EXPECT_EQ(PresetBlock(state, 1).Bypass, 0);
    EXPECT_EQ(PresetBlock(state, 1).LastBlock, 0);

    OnEqSwitch(ctx);
    Expect off = Exchange(Expect().Read(0x129, 0x64).Write(0x129, 0xE4));
    off.Then(Exchange(Expect().Read(0x100, 0x87).Write(0x100, 0x83)));
    EXPECT_EQ(Take(), off.Lines());
    EXPECT_EQ(state.eqEnabled, 0);
    EXPECT_FALSE(view.toggles[TAG_EQ_SWITCH]);
}

TEST_F(EqActions, SwitchWith3DOnLeavesTheEqPathAlone) {
    Start();
    state.d3Enabled = 1;
    OnEqSwitch(ctx);
    EXPECT_EQ(Take(), Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0x64)).Lines());
}

struct SliderCase {
    const char* name;
    int tag;
    int requestedTop;
    int placedTop;
    uint16_t gain;
    Expect registers;  // the band's writes inside the band exchange
};

TEST_F(EqActions, SliderMoveWritesTheBandWithSynchronise) {
    const SliderCase cases[] = {
        {"60 Hz past the top", 29, 40, 100, 4095, Expect().Write(0x120, 0xFF).Write(0x121, 0x0F)},
        {"1200 Hz middle", 31, 160, 160, 1024, Expect().Write(0x124, 0x00).Write(0x125, 0x04)},
        {"3600 Hz below middle", 32, 190, 190, 512, Expect().Write(0x126, 0x00).Write(0x127, 0x02)},
        // Band 4 shares 0x129 with the EQ flags: read, keep bits 4-7, write.
        {"12000 Hz past the bottom", 33, 400, 220, 0,
         Expect().Write(0x128, 0x00).Read(0x129, 0xE4).Write(0x129, 0xE0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim.Chip().PowerOn();
        Start();
        OnEqSliderMoved(ctx, c.tag, c.requestedTop);

        Expect expected;
        expected.Open()
            .Then(Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0xE4)))  // bypass update
            .Then(c.registers)
            .Idle()
            .Close();
        EXPECT_EQ(Take(), expected.Lines());
        const int band = c.tag - TAG_EQ_SLIDER_60HZ;
        EXPECT_EQ(sim.Chip().BandGain(band), c.gain);
        EXPECT_EQ(state.workingEq.Gain[band], c.gain);
        EXPECT_EQ(PresetBlock(state, 1).Gain[band], c.gain);
        EXPECT_EQ(PresetBlock(state, 2).Gain[band], kEqFlatGain);
        EXPECT_EQ(view.Top(c.tag), c.placedTop);
        EXPECT_EQ(state.eqOffsets[0][band], c.placedTop - skin.eqTop0);
        EXPECT_EQ(view.labels[c.tag], HexText(c.gain));
    }
}

TEST_F(EqActions, SliderMoveWithoutSynchroniseSendsOnlyTheIdleReport) {
    Start();
    device.synchronise = 0;
    state.currentPreset = 3;
    OnEqSliderMoved(ctx, 30, 100);
    EXPECT_EQ(Take(), Exchange(Expect()).Lines());
    EXPECT_TRUE(sim.Chip().Writes().empty());
    EXPECT_EQ(PresetBlock(state, 3).Gain[1], 4095);
    EXPECT_EQ(PresetBlock(state, 1).Gain[1], kEqFlatGain);
    EXPECT_EQ(view.Top(30), 100);
    EXPECT_EQ(view.labels[30], u"fff");
}

TEST_F(EqActions, PresetButtonRecallsShowsAndWritesThePreset) {
    Start();
    device.synchronise = 0;
    state.currentPreset = 2;
    OnEqSliderMoved(ctx, 29, 100);  // preset 2, band 0 at 4095
    state.currentPreset = 1;
    device.synchronise = 1;
    Take();

    RunControlAction(ctx, TAG_PRESET_S1 + 1);
    EqRecord preset2 = DefaultEqWith(1, 0);
    preset2.Gain[0] = 4095;
    Expect expected = Exchange(Expect().EqRegisters(preset2));
    expected
        .Then(Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0xE4)))   // EQ bypass
        .Then(Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0xE4)));  // 3D bypass
    EXPECT_EQ(Take(), expected.Lines());
    EXPECT_EQ(state.currentPreset, 2);
    EXPECT_EQ(view.Top(29), skin.eqTop0);
    EXPECT_EQ(sim.Chip().BandGain(0), 4095);

    RunControlAction(ctx, TAG_PRESET_S1);
    EXPECT_EQ(state.currentPreset, 1);
    EXPECT_EQ(state.workingEq.Gain[0], kEqFlatGain);
    EXPECT_EQ(view.Top(29), skin.eqTop0 + 60);
    EXPECT_EQ(sim.Chip().BandGain(0), kEqFlatGain);
}

TEST_F(EqActions, RecallWhileSavingKeepsTheRegisters) {
    Start();
    state.saving = 1;
    PresetRecall(ctx, 2);
    EXPECT_EQ(Take(), Exchange(Expect()).Lines());
}

TEST_F(EqActions, ResetWritesEveryBandThenTheRecordThenThe3DFlag) {
    Start();
    device.synchronise = 0;
    state.currentPreset = 4;
    OnEqSliderMoved(ctx, 31, 100);
    OnEqSliderMoved(ctx, 33, 220);
    device.synchronise = 1;
    Take();

    RunControlAction(ctx, TAG_EQ_RESET);
    Expect expected;
    expected.Open();
    for (int band = 0; band < kEqBandCount; ++band) {
        const uint16_t low = static_cast<uint16_t>(0x120 + 2 * band);
        Expect bandWrite;
        bandWrite.Then(Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0xE4))).Write(low, 0x00);
        if (band == 4) {
            bandWrite.Read(0x129, 0xE4).Write(0x129, 0xE4);
        } else {
            bandWrite.Write(static_cast<uint16_t>(low + 1), 0x04);
        }
        expected.Then(Exchange(bandWrite));
    }
    expected.EqRegisters(DefaultEqWith(1, 0))
        .Then(Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0xE4)))
        .Close();  // no idle report of its own
    EXPECT_EQ(Take(), expected.Lines());
    EXPECT_EQ(PresetBlock(state, 4), EqRecord{});
    EXPECT_EQ(view.Top(31), skin.eqTop0 + 60);
    EXPECT_EQ(view.Top(33), skin.eqTop0 + 60);
}

TEST_F(EqActions, ResetWithoutSynchroniseOnlyOpensAndRunsThe3DBypassExchange) {
    Start();
    device.synchronise = 0;
    EqReset(ctx);
    EXPECT_EQ(Take(), Expect().Open().Then(Exchange(Expect())).Close().Lines());
}

TEST_F(EqActions, PresetStoreMarksOnlyTheFourthBlockAsLast) {
    Start();
    for (int p = 0; p < 4; ++p) {
        PresetStore(state, p);
        EXPECT_EQ(PresetBlock(state, p + 1).LastBlock, p == 3 ? 1 : 0) << p;
    }
    PresetStore(state, 4);  // out of range: nothing
    PresetStore(state, -1);
    EXPECT_EQ(state.image[0x140], 0xFF);
}

}  // namespace
