// The tracing ports around the simulated headset write exactly the lines the simulator writes
// for the same traffic: a trace recorded on the real headset reads like the simulator's.
#include "TracingPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Discovery.h"
#include "HidChannel.h"
#include "Microphone.h"
#include "SimHeadset.h"

namespace {

class TracingPorts : public ::testing::Test {
protected:
    // The simulator's own lines but those only it can see (a buffer it filled).
    std::vector<std::string> SimulatorLines() {
        std::vector<std::string> lines = sim.Trace().Lines();
        lines.erase(
            std::remove_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("WAVE DATA", 0) == 0; }),
            lines.end());
        return lines;
    }

    SimHeadset sim;
    std::vector<std::string> traced;
    TraceSink sink = [this](const std::string& line) { traced.push_back(line); };
    TracingHidBus hid{sim.HidBus(), sink};
    TracingDriverPort driver{sim.Driver(), sink};
    TracingAudioEndpoints audio{sim.Endpoints(), sink};
    TracingWaveInput wave{sim.WaveInput(), sink};
};

TEST_F(TracingPorts, HidTrafficReadsAsTheSimulatorsTrace) {
    {
        auto device = hid.OpenHidDevice(0x3F9C, 0x4712);
        ASSERT_TRUE(device);
        uint8_t value = 0;
        uint8_t pins[kGpioPinCount] = {};
        EXPECT_EQ(WriteRegister(*device, 0x18B, 0x5A), 0u);
        EXPECT_EQ(ReadRegister(*device, 0x18B, &value), 0u);
        EXPECT_EQ(ReadGpio(*device, pins), 0u);
        sim.Hid().Faults().rejectOutputReport = 2;
        EXPECT_EQ(WriteRegister(*device, 0x129, 0x00), 3u);
        sim.Hid().Faults().dropInputReport = 1;
        EXPECT_EQ(ReadRegister(*device, 0x129, &value), 4u);
        EXPECT_EQ(SendIdleReport(*device), 0u);
    }
    EXPECT_FALSE(hid.OpenHidDevice(0x3F9C, 0x4713));
    EXPECT_EQ(traced, SimulatorLines());
    EXPECT_EQ(traced.back(), "HID OPEN-FAIL 3F9C:4713");
}

TEST_F(TracingPorts, DriverCommandsReadAsTheSimulatorsTrace) {
    const float table[16] = {1, 1, 1, 1, 1, 1, 1, 1, 0.785f, 2.36f, 0, 0, 1.2f, -1.2f, 2.5f, -2.5f};
    uint32_t value = 7;
    EXPECT_EQ(ExtQueryStatus(driver, &value), 0u);
    EXPECT_EQ(ExtSetSpeakers(driver, 1, table), 0u);
    EXPECT_EQ(ExtQueryParameter(driver, 3, &value), 0u);
    EXPECT_EQ(ExtSelectEffect(driver, 4), 0u);
    sim.ExtDriver().Faults().rejectCommand = 1;
    EXPECT_EQ(ExtSelectEffect(driver, 2), 2u);  // refused
    sim.ExtDriver().Faults().absent = true;
    EXPECT_EQ(ExtSelectEffect(driver, 0), 1u);
    EXPECT_EQ(traced, SimulatorLines());
    EXPECT_EQ(traced.back(), "DRV OPEN-FAIL");
}

TEST_F(TracingPorts, MicrophoneAndMeterReadAsTheSimulatorsTrace) {
    {
        auto endpoint = audio.FindCaptureEndpoint(0x3F9C, 0x4712);
        ASSERT_TRUE(endpoint);
        uint32_t level = 0;
        int32_t flag = 0;
        EXPECT_EQ(ReadMicLevel(*endpoint, &level), 0u);
        EXPECT_EQ(WriteMicLevel(*endpoint, 30), 0u);
        EXPECT_EQ(endpoint->SetMasterVolumeLevelScalar(1.2f), 0u);
        EXPECT_EQ(WriteMicMute(*endpoint, 1), 0u);
        EXPECT_EQ(ReadMicMute(*endpoint, &flag), 0u);
        EXPECT_EQ(flag, 1);
        EXPECT_EQ(WriteMicBoost(*endpoint, 1), 0u);
        EXPECT_EQ(ReadMicBoost(*endpoint, &flag), 0u);
        sim.Microphone().Faults().noAutoGainControl = true;
        EXPECT_NE(ReadMicBoost(*endpoint, &flag), 0u);
    }
    EXPECT_FALSE(audio.FindCaptureEndpoint(0, 0));
    uint32_t value = 0, minimum = 0, maximum = 0;
    EXPECT_EQ(audio.MixerControl(MIXER_READ_VOLUME, &value, &minimum, &maximum, 0x3F9C, 0x4712),
              1u);
    value = 1;
    EXPECT_EQ(audio.MixerControl(MIXER_WRITE_BOOST, &value, &minimum, &maximum, 0x3F9C, 0x4712),
              1u);
    EXPECT_EQ(audio.MixerControl(MIXER_READ_MUTE, &value, &minimum, &maximum, 0, 0), 0u);

    ASSERT_TRUE(wave.Start(IWaveInput::kDefaultDevice));
    ASSERT_EQ(sim.Wave().Deliver(std::vector<uint8_t>(400, 0x80)), 0);
    wave.Requeue(0);
    wave.Stop();
    sim.Unplug();
    EXPECT_FALSE(wave.Start(IWaveInput::kDefaultDevice));
    EXPECT_EQ(traced, SimulatorLines());
}

}  // namespace
