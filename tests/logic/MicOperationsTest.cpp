#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTags.h"
#include "DebugTrace.h"
#include "LabelText.h"
#include "LogicFixture.h"
#include "MicOperations.h"
#include "UserActions.h"

namespace {

class MicOperations : public LogicTest {
protected:
    ~MicOperations() override { SetDebugOutputSink(nullptr); }

    std::vector<std::string> MicLines() {
        std::vector<std::string> out;
        for (const auto& line : Take()) {
            if (line.rfind("EP ", 0) == 0 || line.rfind("MIX ", 0) == 0) {
                out.push_back(line);
            }
        }
        return out;
    }
};

struct SliderCase {
    int generation;
    int top;
    int level;     // shown after the refresh
    int shownTop;  // where the refresh puts the slider
    float scalar;  // what the microphone was set to
};

TEST_F(MicOperations, SliderSetsTheVolumeAndTheRefreshShowsItBack) {
    const SliderCase cases[] = {
        {6, 80, 100, 80, 1.0f},
        {6, 140, 50, 140, 0.5f},
        {6, 200, 0, 200, 0.0f},
        {6, 30, 100, 80, 1.0f},  // above the travel: clamped to the top
        // The mixer reads back value / (max - min) * 100, truncated: 50 comes back as 49.
        {4, 140, 49, 142, 32767.0f / 65535},
        {4, 80, 100, 80, 1.0f},
        {1, 200, 0, 200, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("generation " + std::to_string(c.generation) + ", top " +
                     std::to_string(c.top));
        Start();
        device.osGeneration = c.generation;
        OnMicSliderMoved(ctx, c.top);
        EXPECT_FLOAT_EQ(sim.Microphone().VolumeScalar(), c.scalar);
        EXPECT_EQ(state.micLevel, c.level);
        EXPECT_EQ(view.labels[TAG_MIC_SLIDER], DecimalText(c.level));
        EXPECT_EQ(view.Top(TAG_MIC_SLIDER), c.shownTop);
        EXPECT_EQ(device.captureEndpoint, nullptr);
    }
}

TEST_F(MicOperations, CoreAudioPathLooksUpTheEndpointForEachStep) {
    Start();
    std::vector<std::u16string> debug;
    SetDebugOutputSink([&](const std::u16string& line) { debug.push_back(line); });
    OnMicSliderMoved(ctx, 140);
    const std::vector<std::string> expected = {
        "EP FIND 3F9C:4712", "EP SET-VOLUME 0.50", "EP FIND 3F9C:4712", "EP GET-STEPS 50/101",
        "EP FIND 3F9C:4712", "EP GET-AGC 0",       "EP GET-MUTE 0",
    };
    EXPECT_EQ(MicLines(), expected);
    EXPECT_EQ(debug, std::vector<std::u16string>{u" 50\n"});
}

TEST_F(MicOperations, MixerPathScalesTheVolumeTo16Bits) {
    Start();
    device.osGeneration = 4;
    EXPECT_EQ(MicrophoneVolume(ctx, 50), 0u);
    EXPECT_EQ(MicLines(), std::vector<std::string>{"MIX WRITE-VOLUME 32767"});
}

TEST_F(MicOperations, WithoutEndpointOrMixerNothingIsShown) {
    for (int generation : {6, 4}) {
        SCOPED_TRACE(generation);
        Start();
        device.osGeneration = generation;
        sim.Microphone().Faults().endpointAbsent = true;
        sim.Microphone().Faults().mixerAbsent = true;
        view.labels.clear();
        view.toggles.clear();
        EXPECT_EQ(MicrophoneVolume(ctx, 70), generation == 6 ? 1u : 2u);
        EXPECT_EQ(DisplayRefresh(ctx), 1u);
        EXPECT_TRUE(view.labels.empty());
        EXPECT_TRUE(view.toggles.empty());
        sim.Microphone().Faults() = SimMicrophoneFaults{};
    }
}

TEST_F(MicOperations, NoVolumeRangeEndsTheRefreshAtTheLevel) {
    for (uint32_t count : {0u, 1u}) {
        SCOPED_TRACE(count);
        Start();
        sim.Microphone().SetVolumeSteps(0, count);
        state.micLevel = 33;
        view.toggles.clear();
        EXPECT_EQ(DisplayRefresh(ctx), 1u);
        EXPECT_EQ(state.micLevel, 33);
        EXPECT_TRUE(view.toggles.empty());
    }
}

TEST_F(MicOperations, RefreshShowsBoostAndMuteAndStopsAtTheFirstUnreachableStep) {
    for (int generation : {6, 4}) {
        SCOPED_TRACE(generation);
        Start();
        device.osGeneration = generation;
        sim.Microphone().SetBoost(true);
        sim.Microphone().SetMuted(true);
        view.toggles.clear();
        EXPECT_EQ(DisplayRefresh(ctx), 0u);
        EXPECT_EQ(state.micBoost, 1);
        EXPECT_EQ(state.micMute, 1);
        EXPECT_TRUE(view.toggles[TAG_MIC_BOOST]);
        EXPECT_TRUE(view.toggles[TAG_MIC_MUTE]);
    }
    Start();
    sim.Microphone().Faults().boostFailStep = 5;
    view.toggles.clear();
    EXPECT_EQ(DisplayRefresh(ctx), 2u);
    EXPECT_EQ(view.toggles.count(TAG_MIC_BOOST), 0u);
    EXPECT_EQ(view.toggles.count(TAG_MIC_MUTE), 0u);
    EXPECT_EQ(view.labels[TAG_MIC_SLIDER], u"50");  // the level step had run
}

TEST_F(MicOperations, MicrophoneWithoutGainControlShowsNoBoostAndItsMute) {
    Start();
    sim.Microphone().Faults().noAutoGainControl = true;
    sim.Microphone().SetMuted(true);
    state.micBoost = 1;
    view.toggles.clear();
    Take();
    EXPECT_EQ(DisplayRefresh(ctx), 0u);
    EXPECT_EQ(state.micBoost, 0);
    EXPECT_FALSE(view.toggles[TAG_MIC_BOOST]);
    EXPECT_EQ(state.micMute, 1);
    EXPECT_TRUE(view.toggles[TAG_MIC_MUTE]);
    const std::vector<std::string> expected = {
        "EP FIND 3F9C:4712",        "EP GET-STEPS 50/101", "EP FIND 3F9C:4712",
        "EP GET-AGC FAIL 80004002", "EP GET-MUTE 1",
    };
    EXPECT_EQ(MicLines(), expected);
}

TEST_F(MicOperations, BoostAndMuteSwitchesReachTheMicrophoneOnBothPaths) {
    for (int generation : {6, 4}) {
        SCOPED_TRACE(generation);
        Start();
        device.osGeneration = generation;
        RunControlAction(ctx, TAG_MIC_BOOST);
        RunControlAction(ctx, TAG_MIC_MUTE);
        EXPECT_TRUE(sim.Microphone().Boost());
        EXPECT_TRUE(sim.Microphone().Muted());
        EXPECT_TRUE(view.toggles[TAG_MIC_BOOST]);
        RunControlAction(ctx, TAG_MIC_BOOST);
        EXPECT_FALSE(sim.Microphone().Boost());
        EXPECT_EQ(state.micBoost, 0);
        EXPECT_EQ(device.captureEndpoint, nullptr);
    }
}

// A mixer whose volume control reports no range at all.
class FlatMixer : public IAudioEndpoints {
public:
    std::u16string FindCaptureDescription(uint16_t, uint16_t) override { return u"mic"; }
    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t, uint16_t) override {
        return nullptr;
    }
    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t, uint16_t) override {
        *value = kind == MIXER_READ_VOLUME ? 500 : 1;
        *minimum = 7;
        *maximum = 7;
        return 1;
    }
};

TEST_F(MicOperations, MixerWithoutRangeEndsTheRefreshAtTheLevel) {
    Start();
    FlatMixer mixer;
    PanelContext flat{device, state, skin, view, sim.HidBus(), sim.Driver(), mixer};
    device.osGeneration = 4;
    state.micLevel = 33;
    view.toggles.clear();
    EXPECT_EQ(DisplayRefresh(flat), 1u);
    EXPECT_EQ(state.micLevel, 33);
    EXPECT_EQ(view.labels.count(TAG_MIC_SLIDER), 0u);
    EXPECT_TRUE(view.toggles.empty());
}

}  // namespace
