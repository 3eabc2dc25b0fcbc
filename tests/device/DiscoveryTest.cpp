// Finding the headset, reading its IDs, and the extension driver's four commands.
#include "Discovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimHeadset.h"
#include "TestFiles.h"

using Bytes = std::vector<uint8_t>;

TEST(ParseVidPid, ReadsUpToFourHexDigitsAfterEachMarker) {
    const struct {
        const char16_t* text;
        uint16_t vendor, product;
    } cases[] = {
        {u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00", 0x3F9C, 0x4712},
        {u"\\\\?\\hid#Vid_3f9c&Pid_4712&mi_03#8&1234&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
         0x3F9C, 0x4712},
        {u"\\\\?\\hid#vid_3f9c&pid_4712&mi_03#8&1234", 0, 0},
        {u"USB\\VID_3F9C&REV_0100", 0x3F9C, 0},
        {u"USB\\VID_12G4&PID_0001", 0x12, 0x0001},
        {u"USB\\PID_4712&REV_0100", 0, 0},  // no vendor marker: the product is not read either
        {u"USB\\VID_3F9C&PID_", 0x3F9C, 0},
        {u"USB\\VID_3F", 0x3F, 0},
        {u"USB\\VID_3F9C1234&PID_47120000", 0x3F9C, 0x4712},
        {u"PID_0001&VID_0002", 2, 1},       // the product marker is looked for from the start
        {u"Vid_1111&VID_2222", 0x2222, 0},  // the upper-case form wins wherever it stands
        {u"", 0, 0},
    };
    for (const auto& c : cases) {
        uint16_t vendor = 0xFFFF;
        uint16_t product = 0xFFFF;
        ParseVidPid(c.text, &vendor, &product);
        EXPECT_EQ(vendor, c.vendor) << Narrow(c.text);
        EXPECT_EQ(product, c.product) << Narrow(c.text);
    }
}

class FindHeadsetTest : public ::testing::Test {
protected:
    FindHeadsetTest() {
        std::ifstream in(
            std::filesystem::u8path(std::string(AUDIO_SOURCE_DIR) + "/product/AudioConfig.cfg"),
            std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        folder.Write(u"AudioConfig.cfg", bytes.str());
    }

    TempFolder folder;
    SimHeadset sim;
};

TEST_F(FindHeadsetTest, FindsThePluggedHeadsetWithTheProductConfiguration) {
    EXPECT_EQ(FindHeadset(folder.path(), sim.DeviceTree()),
              u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00");
    sim.Unplug();
    EXPECT_EQ(FindHeadset(folder.path(), sim.DeviceTree()), u"");
    sim.Plug();
    EXPECT_EQ(FindHeadset(folder.path(), sim.DeviceTree()),
              u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00");
}

TEST_F(FindHeadsetTest, SkipsAudioDevicesOutsideTheGroup) {
    SimDevice other;
    other.interfaceClasses = {KSCATEGORY_AUDIO_GUID};
    other.hardwareIds = {u"USB\\VID_1234&PID_4712&REV_0100&MI_00"};  // right length, wrong ID
    sim.DeviceTree().devices.insert(sim.DeviceTree().devices.begin(), other);
    other.hardwareIds = {u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00&X"};  // in the group but longer
    sim.DeviceTree().devices.insert(sim.DeviceTree().devices.begin(), other);
    sim.SetIds(0x3F9C, 0x47A0);
    EXPECT_EQ(FindHeadset(folder.path(), sim.DeviceTree()),
              u"USB\\VID_3F9C&PID_47A0&REV_0100&MI_00");
    sim.SetIds(0x3F9D, 0x4712);
    EXPECT_EQ(FindHeadset(folder.path(), sim.DeviceTree()), u"");
}

TEST_F(FindHeadsetTest, FindsNothingWithoutAConfiguration) {
    TempFolder empty;
    EXPECT_EQ(FindHeadset(empty.path(), sim.DeviceTree()), u"");
}

class ExtDriver : public ::testing::Test {
protected:
    const SimDriverCommand& Sent() {
        EXPECT_EQ(sim.ExtDriver().Commands().size(), 1u);
        return sim.ExtDriver().Commands().back();
    }

    SimHeadset sim;
};

TEST_F(ExtDriver, QueryParameterBufferAndAnswer) {
    sim.ExtDriver().SetQueryValues(0xCAFEF00D, 0);
    uint32_t value = 0x11223344;
    ASSERT_EQ(ExtQueryParameter(sim.Driver(), 0x0102, &value), 0u);
    EXPECT_EQ(Sent().code, 0x00223028u);
    EXPECT_EQ(Sent().input, (Bytes{0x01, 0x00, 0x02, 0x01, 0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(Sent().outputSize, 8u);
    EXPECT_EQ(value, 0xCAFEF00Du);
}

TEST_F(ExtDriver, SelectEffectBuffer) {
    ASSERT_EQ(ExtSelectEffect(sim.Driver(), 3), 0u);
    EXPECT_EQ(Sent().code, 0x002230F0u);
    EXPECT_EQ(Sent().input, (Bytes{0, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(Sent().outputSize, 8u);
    EXPECT_EQ(sim.ExtDriver().Effect(), 3u);
    EXPECT_EQ(sim.Trace().Lines().back(), "DRV 002230F0 0000000003000000 # select effect 3");
    // No index past the last effect reaches the driver.
    for (uint32_t index : {5u, 0xFFFFFFFEu}) {
        sim.ExtDriver().ClearCommands();
        ASSERT_EQ(ExtSelectEffect(sim.Driver(), index), 0u) << index;
        EXPECT_EQ(Sent().input, (Bytes{0, 0, 0, 0, 4, 0, 0, 0})) << index;
    }
}

TEST_F(ExtDriver, SetSpeakersSendsSeventyTwoBytesAndNoOutputBuffer) {
    float table[16] = {};
    table[0] = 1.0f;
    table[1] = -0.5f;
    table[15] = 3.14159265f;
    ASSERT_EQ(ExtSetSpeakers(sim.Driver(), 1, table), 0u);
    Bytes expected(72, 0);
    expected[4] = 1;
    const uint8_t one[] = {0x00, 0x00, 0x80, 0x3F};
    const uint8_t minusHalf[] = {0x00, 0x00, 0x00, 0xBF};
    const uint8_t pi[] = {0xDB, 0x0F, 0x49, 0x40};
    std::copy(one, one + 4, expected.begin() + 8);
    std::copy(minusHalf, minusHalf + 4, expected.begin() + 12);
    std::copy(pi, pi + 4, expected.begin() + 68);
    EXPECT_EQ(Sent().code, 0x00223140u);
    EXPECT_EQ(Sent().input, expected);
    EXPECT_EQ(Sent().outputSize, 0u);
    EXPECT_EQ(sim.ExtDriver().SpeakersEnabled(), 1u);
    EXPECT_EQ(sim.ExtDriver().SpeakerTable()[1], -0.5f);
    // Any enable but 0 goes as 1: the driver takes nothing else.
    sim.ExtDriver().ClearCommands();
    ASSERT_EQ(ExtSetSpeakers(sim.Driver(), 0xFFFFFFFE, table), 0u);
    EXPECT_EQ(Sent().input, expected);
}

TEST_F(ExtDriver, QueryStatusBufferAndAnswer) {
    sim.ExtDriver().SetQueryValues(0, 0x00000102);
    uint32_t value = 0;
    ASSERT_EQ(ExtQueryStatus(sim.Driver(), &value), 0u);
    EXPECT_EQ(Sent().code, 0x00223190u);
    EXPECT_EQ(Sent().input, (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Sent().outputSize, 8u);
    EXPECT_EQ(value, 0x102u);
}

TEST_F(ExtDriver, FailureCodesLeaveTheValuesAlone) {
    enum Fault { ABSENT, UNPLUGGED, REJECTED, NO_BYTES };
    const struct {
        Fault fault;
        uint32_t parameter, effect, speakers, status;
    } cases[] = {
        {ABSENT, 1, 1, 1, 1},
        {UNPLUGGED, 1, 1, 1, 1},
        {REJECTED, 2, 2, 2, 2},
        {NO_BYTES, 3, 0, 0, 0},  // only the parameter query cares about the byte count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SimHeadset sim;
        sim.ExtDriver().SetQueryValues(77, 77);
        sim.ExtDriver().Faults().absent = c.fault == ABSENT;
        sim.ExtDriver().Faults().queryParameterReturnsNothing = c.fault == NO_BYTES;
        if (c.fault == UNPLUGGED)
            sim.Unplug();
        const float table[16] = {};
        uint32_t parameter = 5;
        uint32_t status = 5;
        const auto reject = [&] { sim.ExtDriver().Faults().rejectCommand = c.fault == REJECTED; };
        reject();
        EXPECT_EQ(ExtQueryParameter(sim.Driver(), 0, &parameter), c.parameter);
        reject();
        EXPECT_EQ(ExtSelectEffect(sim.Driver(), 0), c.effect);
        reject();
        EXPECT_EQ(ExtSetSpeakers(sim.Driver(), 0, table), c.speakers);
        reject();
        EXPECT_EQ(ExtQueryStatus(sim.Driver(), &status), c.status);
        EXPECT_EQ(parameter, 5u);
        EXPECT_EQ(status, c.status ? 5u : 77u);
    }
}
