// The OS generation, the microphone's level, mute and boost, and the level meter.
#include "Microphone.h"

#include <gtest/gtest.h>

#include "CaptureSearch.h"
#include "SimHeadset.h"

TEST(OsGeneration, FromPlatformAndVersion) {
    const struct {
        uint32_t platform, major, minor;
        int generation;
    } cases[] = {
        {1, 4, 10, 1}, {1, 4, 90, 3}, {1, 4, 0, 0}, {2, 5, 0, 2},  {2, 5, 1, 4}, {2, 5, 2, 0},
        {2, 4, 0, 0},  {2, 6, 0, 6},  {2, 6, 1, 6}, {2, 10, 0, 6}, {0, 6, 0, 0}, {3, 10, 0, 0},
    };
    for (const auto& c : cases) {
        SimOsVersion os;
        os.info = {c.platform, c.major, c.minor};
        EXPECT_EQ(OsGeneration(os), c.generation) << c.platform << " " << c.major << "." << c.minor;
    }
    SimOsVersion unknown;
    unknown.fail = true;
    EXPECT_EQ(OsGeneration(unknown), 0);
}

class Microphone : public ::testing::Test {
protected:
    std::unique_ptr<ICaptureEndpoint> Endpoint() {
        return sim.Endpoints().FindCaptureEndpoint(0x3F9C, 0x4712);
    }

    SimHeadset sim;
};

TEST_F(Microphone, ReadMicLevelScalesTheStepToPercent) {
    const struct {
        uint32_t step, count;
        uint32_t code, level;
    } cases[] = {
        {50, 101, 0, 50},
        {1, 2, 0, 100},
        {0, 2, 0, 0},
        {100, 101, 0, 100},
        {33, 65, 0, 51},
        // No range to scale: the level stays as it was.
        {0, 1, 3, 99},
        {0, 0, 3, 99},
        {5, 0, 3, 99},
        // A step beyond the count is held at 100.
        {300, 101, 0, 100},
    };
    for (const auto& c : cases) {
        sim.Microphone().SetVolumeSteps(c.step, c.count);
        auto endpoint = Endpoint();
        ASSERT_TRUE(endpoint);
        uint32_t level = 99;
        EXPECT_EQ(ReadMicLevel(*endpoint, &level), c.code) << c.step << "/" << c.count;
        EXPECT_EQ(level, c.level) << c.step << "/" << c.count;
    }
}

TEST_F(Microphone, WriteMicLevelSetsTheScalar) {
    auto endpoint = Endpoint();
    ASSERT_EQ(WriteMicLevel(*endpoint, 37), 0u);
    EXPECT_FLOAT_EQ(sim.Microphone().VolumeScalar(), 0.37f);
    EXPECT_EQ(sim.Microphone().VolumeStep(), 37u);
    ASSERT_EQ(WriteMicLevel(*endpoint, 250), 0u);
    EXPECT_FLOAT_EQ(sim.Microphone().VolumeScalar(), 1.0f);
    EXPECT_EQ(sim.Trace().Lines().back(), "EP SET-VOLUME 1.00");
}

TEST_F(Microphone, MuteAndBoostRoundTrip) {
    auto endpoint = Endpoint();
    int32_t flag = 5;
    ASSERT_EQ(WriteMicMute(*endpoint, 1), 0u);
    ASSERT_EQ(ReadMicMute(*endpoint, &flag), 0u);
    EXPECT_EQ(flag, 1);
    ASSERT_EQ(WriteMicBoost(*endpoint, 1), 0u);
    ASSERT_EQ(ReadMicBoost(*endpoint, &flag), 0u);
    EXPECT_EQ(flag, 1);
    EXPECT_TRUE(sim.Microphone().Muted());
    EXPECT_TRUE(sim.Microphone().Boost());
}

TEST_F(Microphone, CodesOfTheEndpointOperations) {
    using Faults = SimMicrophoneFaults;
    const struct {
        const char* what;
        void (*inject)(Faults&);
        bool unplug;
        uint32_t level, write, mute, boost;
    } cases[] = {
        {"volume not obtained", [](Faults& f) { f.volumeNotObtained = true; }, false, 2, 2, 2, 0},
        {"no step info", [](Faults& f) { f.stepInfoFails = true; }, false, 3, 0, 0, 0},
        {"mute fails", [](Faults& f) { f.muteFailure = 0x80070005; }, false, 0, 0, 0x80070005, 0},
        {"topology step 6", [](Faults& f) { f.boostFailStep = 6; }, false, 0, 0, 0, 6},
        {"no gain control", [](Faults& f) { f.noAutoGainControl = true; }, false, 0, 0, 0,
         SimMicrophone::kNoInterface},
        {"removed", [](Faults&) {}, true, 2, 2, 2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimHeadset sim;
        auto endpoint = sim.Endpoints().FindCaptureEndpoint(0x3F9C, 0x4712);
        ASSERT_TRUE(endpoint);
        c.inject(sim.Microphone().Faults());
        if (c.unplug)
            sim.Unplug();
        uint32_t level = 0;
        int32_t flag = 0;
        EXPECT_EQ(ReadMicLevel(*endpoint, &level), c.level);
        EXPECT_EQ(WriteMicLevel(*endpoint, 10), c.write);
        EXPECT_EQ(ReadMicMute(*endpoint, &flag), c.mute);
        EXPECT_EQ(WriteMicMute(*endpoint, 1), c.mute);
        EXPECT_EQ(ReadMicBoost(*endpoint, &flag), c.boost);
        EXPECT_EQ(WriteMicBoost(*endpoint, 1), c.boost);
    }
}

TEST(LevelMeterWidth, FromTheMeanDeviationOfTheSamples) {
    const auto buffer = [](std::initializer_list<uint8_t> pattern) {
        std::vector<uint8_t> samples;
        while (samples.size() < 400)
            samples.insert(samples.end(), pattern);
        return samples;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> samples;
        int fullWidth, width;
    } cases[] = {
        {"silence", buffer({128}), 200, 0},
        {"full-scale square wave", buffer({0, 255}), 200, 198},
        {"mean 1", buffer({127, 129}), 200, 18},           // level 3: widths 10, 14, 18
        {"mean 8, meter 16 wide", buffer({136}), 16, 14},  // level 2
        {"mean 8, meter 10 wide", buffer({120}), 10, 10},  // level 1
        {"mean 1, meter 16 wide", buffer({129}), 16, 0},   // level 0
        {"mean 0.5 rounds down", buffer({128, 129}), 200, 0},
        {"meter too narrow for a step", buffer({0}), 9, 0},
        {"no meter", buffer({0}), 0, 0},
        {"negative width", buffer({0}), -5, 0},
        {"empty buffer", {}, 200, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            LevelMeterWidth(c.samples.data(), static_cast<uint32_t>(c.samples.size()), c.fullWidth),
            c.width)
            << c.what;
    }
}

TEST(LevelMeter, StartStopsARunningStreamFirst) {
    SimHeadset sim;
    LevelMeter meter(sim.WaveInput());
    meter.Start();
    meter.Start();
    EXPECT_TRUE(meter.IsRunning());
    EXPECT_EQ(sim.Wave().OpenStreams(), 1);
    meter.Stop();
    meter.Stop();
    EXPECT_FALSE(meter.IsRunning());
    EXPECT_EQ(sim.Trace().Lines(),
              (std::vector<std::string>{"WAVE START", "WAVE STOP", "WAVE START", "WAVE STOP"}));
}

TEST(LevelMeter, RecordsTheHeadsetsMicrophoneWhereTheDefaultDeviceIsAnother) {
    const struct {
        const char* what;
        uint32_t major, minor;
        bool endpointFound;
        bool headset;  // the stream records the headset, not the machine's microphone
    } cases[] = {
        {"Windows 10: the wave-input device of the endpoint found", 10, 0, true, true},
        {"XP: the device on the headset's interface path", 5, 1, false, true},
        {"Windows 10 without an endpoint: no mapping, the default device", 10, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimHeadset sim;
        sim.Os().info = {2, c.major, c.minor};
        sim.Wave().defaultIsMachineMicrophone = true;
        MeterSource source;
        source.interfacePrefix = CapturePathPrefix(SimHeadset::kVendorId, SimHeadset::kProductId);
        if (c.endpointFound) {
            const auto endpoint =
                sim.Endpoints().FindCaptureEndpoint(SimHeadset::kVendorId, SimHeadset::kProductId);
            ASSERT_TRUE(endpoint);
            source.endpointId = endpoint->Id();
        }
        LevelMeter meter(sim.WaveInput());
        meter.Start(source);
        ASSERT_TRUE(meter.IsRunning());
        EXPECT_EQ(sim.Wave().RecordsHeadset(), c.headset);
    }
}

TEST(WaveInDeviceOf, EndpointIdFirstThenInterfacePathElseTheDefault) {
    const std::u16string prefix = CapturePathPrefix(0x3F9C, 0x4712);
    const std::vector<WaveInDeviceEntry> devices = {
        {u"{0.0.1.00000000}.{aaaa}", u"\\\\?\\hdaudio#func_01#x"},
        {u"{0.0.1.00000000}.{BBBB}", u""},
        {u"", u"\\\\?\\usb#vid_3f9c&pid_4712&mi_00#7&1#{65e8}\\global"},
    };
    EXPECT_EQ(WaveInDeviceOf(devices, u"{0.0.1.00000000}.{bbbb}", prefix), 1);  // any case
    EXPECT_EQ(WaveInDeviceOf(devices, u"{0.0.1.00000000}.{cccc}", prefix), 2);
    EXPECT_EQ(WaveInDeviceOf(devices, u"{0.0.1.00000000}.{bbb}", u""), IWaveInput::kDefaultDevice);
    EXPECT_EQ(WaveInDeviceOf(devices, u"", u""), IWaveInput::kDefaultDevice);
    EXPECT_EQ(WaveInDeviceOf({}, u"{0.0.1.00000000}.{aaaa}", prefix), IWaveInput::kDefaultDevice);
}

TEST(LevelMeter, HandsBuffersBackOnlyWhileOpen) {
    SimHeadset sim;
    LevelMeter meter(sim.WaveInput());
    int width = -1;
    sim.Wave().onData = [&](int buffer, const uint8_t* samples, uint32_t size) {
        width = meter.OnBufferFilled(samples, size, buffer, 200);
    };
    meter.Start();
    ASSERT_EQ(sim.Wave().Deliver(std::vector<uint8_t>(400, 129)), 0);
    EXPECT_EQ(width, 18);
    EXPECT_TRUE(sim.Wave().IsQueued(0));
    ASSERT_EQ(sim.Wave().Deliver(std::vector<uint8_t>(8, 0)), 1);  // then silence: mean 2
    EXPECT_EQ(width, 30);

    meter.Stop();
    sim.Trace().Clear();
    width = meter.OnBufferFilled(std::vector<uint8_t>(400, 0).data(), 400, 0, 200);
    EXPECT_EQ(width, 198);
    EXPECT_FALSE(sim.Wave().IsQueued(0));
    EXPECT_TRUE(sim.Trace().Lines().empty());
}

TEST(LevelMeter, StaysStoppedWhenTheStreamCannotOpen) {
    SimHeadset sim;
    sim.Wave().failOpen = true;
    LevelMeter meter(sim.WaveInput());
    meter.Start();
    EXPECT_FALSE(meter.IsRunning());
    EXPECT_EQ(sim.Trace().Lines(), std::vector<std::string>{"WAVE START-FAIL"});
}
