// Finding the headset's microphone in the strings each Windows generation presents.
#include "CaptureSearch.h"

#include <gtest/gtest.h>

#include "SimHeadset.h"

TEST(CaptureSearch, AdapterPathsAreComparedAfterCoreAudiosTopologyNumber) {
    const std::u16string prefix = CapturePathPrefix(0x3F9C, 0x4712);
    const struct {
        const char16_t* id;
        bool match;
    } cases[] = {
        {u"\\\\?\\usb#vid_3f9c&pid_4712&mi_00#7&2b1c#{6994ad04-93ef-11d0-a3cc-00a0c9223196}", true},
        {u"{2}.\\\\?\\usb#vid_3f9c&pid_4712&mi_00#7&2b1c#{6994ad04}\\global", true},
        {u"{0.0.1.00000000}.{a9e1c3b2-7f64-4d2a-8e15-0c9b6d4f3a72}", false},
        {u"{2}.\\\\?\\usb#vid_3f9c&pid_4713&mi_00#7&2b1c", false},
        {u"{2}.", false},
        {u"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.id, c.id + std::char_traits<char16_t>::length(c.id)));
        EXPECT_EQ(InterfacePathBeginsWith(c.id, prefix), c.match);
    }
}

// The headset beside the machine's own microphone: before Vista DirectSound names the device by
// its interface path and there is no Core Audio; from Vista on it names the endpoint ID, and the
// headset is known by the adapter its endpoint is connected to.
TEST(CaptureSearch, FindsTheHeadsetsMicrophoneOnEveryWindowsGeneration) {
    const struct {
        const char* what;
        uint32_t major, minor;
        bool endpoint;
    } cases[] = {
        {"XP", 5, 1, false},
        {"Vista", 6, 0, true},
        {"7", 6, 1, true},
        {"10", 10, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimHeadset sim;
        sim.Os().info = {2, c.major, c.minor};
        sim.Microphone().SetVolumeSteps(37, 101);
        IAudioEndpoints& endpoints = sim.Endpoints();
        EXPECT_EQ(endpoints.FindCaptureDescription(0x3F9C, 0x4712), sim.Microphone().Description());
        const auto endpoint = endpoints.FindCaptureEndpoint(0x3F9C, 0x4712);
        EXPECT_EQ(static_cast<bool>(endpoint), c.endpoint);
        if (endpoint) {
            uint32_t step = 0, count = 0;
            EXPECT_EQ(endpoint->GetVolumeStepInfo(&step, &count), 0u);
            EXPECT_EQ(step, 37u);  // the headset's own microphone, not the machine's
        }
        uint32_t value = 0, minimum = 0, maximum = 0;
        EXPECT_EQ(
            endpoints.MixerControl(MIXER_READ_MUTE, &value, &minimum, &maximum, 0x3F9C, 0x4712),
            1u);

        // Another product, or the headset unplugged: the machine's microphone is never taken.
        EXPECT_EQ(endpoints.FindCaptureDescription(0x3F9C, 0x4713), u"");
        EXPECT_FALSE(endpoints.FindCaptureEndpoint(0x3F9C, 0x4713));
        sim.Unplug();
        EXPECT_EQ(endpoints.FindCaptureDescription(0x3F9C, 0x4712), u"");
        EXPECT_FALSE(endpoints.FindCaptureEndpoint(0x3F9C, 0x4712));
        EXPECT_EQ(
            endpoints.MixerControl(MIXER_READ_MUTE, &value, &minimum, &maximum, 0x3F9C, 0x4712),
            0u);
    }
}
