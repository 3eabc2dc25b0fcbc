// The simulated headset itself: plugging, dead handles, the mixer's view, and the trace that
// later checks and demos read.
#include "SimHeadset.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Discovery.h"
#include "HidChannel.h"
#include "RegisterMap.h"

using Lines = std::vector<std::string>;

TEST(SimHeadset, UnpluggingKillsOpenHandlesForGood) {
    SimHeadset sim;
    auto before = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
    ASSERT_TRUE(before);
    sim.Unplug();
    EXPECT_FALSE(sim.HidBus().OpenHidDevice(0x3F9C, 0x4712));
    EXPECT_EQ(WriteRegister(*before, 0x100, 1), 1u);
    sim.Plug();
    EXPECT_EQ(WriteRegister(*before, 0x100, 1), 1u);
    auto after = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
    ASSERT_TRUE(after);
    EXPECT_EQ(WriteRegister(*after, 0x100, 1), 0u);
    EXPECT_EQ(sim.Hid().OpenHandles(), 2);
    before.reset();
    after.reset();
    EXPECT_EQ(sim.Hid().OpenHandles(), 0);
    EXPECT_EQ(sim.Trace().Lines(), (Lines{"HID OPEN 3F9C:4712", "HID OPEN-FAIL 3F9C:4712",
                                          "HID OPEN 3F9C:4712", "HID SET 00 60 00 01 10",
                                          "HID SET 00 60 01 01 20", "HID CLOSE", "HID CLOSE"}));
}

TEST(SimHeadset, UnplugReachesEveryPart) {
    SimHeadset sim(false);
    EXPECT_FALSE(sim.IsPlugged());
    EXPECT_FALSE(sim.DeviceTree().devices.at(0).present);
    EXPECT_FALSE(sim.Driver().Open(kExtDriverDevicePath));
    EXPECT_FALSE(sim.Endpoints().FindCaptureEndpoint(0x3F9C, 0x4712));
    EXPECT_EQ(sim.Endpoints().FindCaptureDescription(0x3F9C, 0x4712), u"");
    EXPECT_FALSE(sim.WaveInput().Start(IWaveInput::kDefaultDevice));
    sim.Plug();
    EXPECT_TRUE(sim.DeviceTree().devices.at(0).present);
    EXPECT_TRUE(sim.Driver().Open(kExtDriverDevicePath));
    EXPECT_TRUE(sim.Endpoints().FindCaptureEndpoint(0x3F9C, 0x4712));
    EXPECT_EQ(sim.Endpoints().FindCaptureDescription(0x3F9C, 0x4712),
              sim.Microphone().Description());
    EXPECT_TRUE(sim.WaveInput().Start(IWaveInput::kDefaultDevice));
}

TEST(SimHeadset, OpensOnlyWithItsOwnIds) {
    SimHeadset sim;
    EXPECT_FALSE(sim.HidBus().OpenHidDevice(0x3F9C, 0x4713));
    EXPECT_FALSE(sim.Driver().Open(u"\\\\.\\Class#UsbAudioExtension&3F9C&01"));
    EXPECT_TRUE(sim.Driver().Open(u"\\\\.\\CLASS#USBAUDIOEXTENSION&3f9c&00"));
    EXPECT_EQ(sim.Endpoints().FindCaptureDescription(0x3F9C, 0x4713), u"");
    EXPECT_FALSE(sim.Endpoints().FindCaptureEndpoint(0, 0));
    EXPECT_EQ(sim.Trace().Lines(),
              (Lines{"HID OPEN-FAIL 3F9C:4713", "DRV OPEN-FAIL", "EP FIND-FAIL 0000:0000"}));
}

TEST(SimHeadset, MixerAndEndpointShareTheMicrophone) {
    SimHeadset sim;
    uint32_t value = 0xFFFF / 2;
    uint32_t minimum = 9;
    uint32_t maximum = 9;
    ASSERT_EQ(
        sim.Endpoints().MixerControl(MIXER_WRITE_VOLUME, &value, nullptr, nullptr, 0x3F9C, 0x4712),
        1u);
    EXPECT_EQ(sim.Microphone().VolumeStep(), 50u);
    sim.Microphone().SetVolumeSteps(25, 101);
    ASSERT_EQ(
        sim.Endpoints().MixerControl(MIXER_READ_VOLUME, &value, &minimum, &maximum, 0x3F9C, 0x4712),
        1u);
    EXPECT_EQ(value, 16383u);
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(maximum, 0xFFFFu);
    value = 1;
    ASSERT_EQ(
        sim.Endpoints().MixerControl(MIXER_WRITE_BOOST, &value, nullptr, nullptr, 0x3F9C, 0x4712),
        1u);
    int32_t agc = 0;
    ASSERT_EQ(sim.Endpoints().FindCaptureEndpoint(0x3F9C, 0x4712)->GetAutoGainControl(&agc), 0u);
    EXPECT_EQ(agc, 1);

    sim.Microphone().Faults().mixerAbsent = true;
    EXPECT_EQ(
        sim.Endpoints().MixerControl(MIXER_READ_MUTE, &value, nullptr, nullptr, 0x3F9C, 0x4712),
        0u);
    sim.Microphone().Faults().mixerAbsent = false;
    EXPECT_EQ(sim.Endpoints().MixerControl(MIXER_READ_MUTE, &value, nullptr, nullptr, 0x3F9C, 1),
              0u);
    EXPECT_EQ(sim.Trace().Filter("MIX"),
              (Lines{"MIX WRITE-VOLUME 32767", "MIX READ-VOLUME 16383", "MIX WRITE-BOOST 1",
                     "MIX FAIL READ-MUTE", "MIX FAIL READ-MUTE"}));
}

// The traffic of one EQ slider move on band 2 with synchronisation on and the EQ enabled: the band
// write's exchange, inside it the bypass update's own exchange, then the band's two registers.
// TRACE.md shows these lines.
TEST(SimTrace, OneEqSliderMove) {
    SimHeadset sim;
    {
        auto bandExchange = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
        {
            auto bypassExchange = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
            uint8_t value = 0;
            ASSERT_EQ(ReadRegister(*bypassExchange, REG_EQ_BAND4_HIGH, &value), 0u);
            ASSERT_EQ(WriteRegister(*bypassExchange, REG_EQ_BAND4_HIGH, value & 0x7F), 0u);
            ASSERT_EQ(SendIdleReport(*bypassExchange), 0u);
        }
        ASSERT_EQ(WriteEqBand(*bandExchange, 2, 1536), 0u);
        ASSERT_EQ(SendIdleReport(*bandExchange), 0u);
    }
    EXPECT_EQ(sim.Trace().Lines(),
              (Lines{"HID OPEN 3F9C:4712", "HID OPEN 3F9C:4712", "HID SET 00 60 29 01 10",
                     "HID GET 00 60 E4 00 00", "HID SET 00 60 29 01 10", "HID SET 00 60 64 01 20",
                     "HID SET 00 00 00 00 00", "HID CLOSE", "HID SET 00 60 24 01 10",
                     "HID SET 00 60 00 01 20", "HID SET 00 60 25 01 10", "HID SET 00 60 06 01 20",
                     "HID SET 00 00 00 00 00", "HID CLOSE"}));
}

TEST(SimTrace, DriverCommandsAreShownWithTheirBytesAndMeaning) {
    SimHeadset sim;
    float table[16] = {};
    for (int i = 0; i < 8; ++i)
        table[i] = 1.0f;
    table[8] = 0.5f;
    uint32_t value = 0;
    ExtQueryStatus(sim.Driver(), &value);
    ExtSetSpeakers(sim.Driver(), 0, table);
    ExtQueryParameter(sim.Driver(), 0, &value);
    ExtSelectEffect(sim.Driver(), 1);
    sim.ExtDriver().Faults().rejectCommand = 1;
    ExtSelectEffect(sim.Driver(), 2);
    const std::string speakerBytes = "0000000000000000" + [] {
        std::string ones;
        for (int i = 0; i < 8; ++i)
            ones += "0000803F";
        return ones;
    }() + "0000003F" + std::string(7 * 8, '0');
    EXPECT_EQ(sim.Trace().Lines(),
              (Lines{"DRV 00223190 0100000000000000 # query status",
                     "DRV 00223140 " + speakerBytes +
                         " # speakers enable=0 gains=1,1,1,1,1,1,1,1 angles=0.5,0,0,0,0,0,0,0",
                     "DRV 00223028 0100000000000000 # query parameter 0 value=0",
                     "DRV 002230F0 0000000001000000 # select effect 1",
                     "DRV FAIL 002230F0 0000000002000000 # select effect 2"}));
}

TEST(SimTrace, CopiesLinesToAStreamAndAFile) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("sim-trace-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".log");
    std::ostringstream stream;
    {
        SimHeadset sim;
        sim.Trace().SetStream(&stream);
        ASSERT_TRUE(sim.Trace().SetFile(file.u8string()));
        sim.WaveInput().Start(IWaveInput::kDefaultDevice);
        sim.WaveInput().Stop();
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream written;
    written << in.rdbuf();
    in.close();
    std::filesystem::remove(file);
    EXPECT_EQ(stream.str(), "WAVE START\nWAVE STOP\n");
    EXPECT_EQ(written.str(), "WAVE START\nWAVE STOP\n");
}
