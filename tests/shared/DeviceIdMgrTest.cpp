#include <gtest/gtest.h>

#include "DeviceIdFixtures.h"
#include "DeviceIdMgr.h"
#include "SimDeviceTree.h"
#include "TestFiles.h"

using namespace fixtures;

namespace {

class DeviceIdGroup : public ::testing::Test {
protected:
    // Loads a file holding the given USB_VID_PID section body.
    int32_t LoadUsb(const std::string& body) {
        const std::u16string path = folder.Write(u"AudioConfig.cfg", "[USB_VID_PID]\r\n" + body);
        return manager.LoadGroup(path, u"USB_VID_PID");
    }

    std::vector<std::string> AcceptedIds() const {
        std::vector<std::string> ids;
        for (const auto& [id, code] : manager.ids)
            ids.push_back(Narrow(id));
        return ids;
    }

    TempFolder folder;
    CDeviceIdMgr manager;
};

}  // namespace

TEST_F(DeviceIdGroup, AcceptsOnlyEntriesWhoseCodeDeciphersToTheirId) {
    const std::string body =
        Entry("Good", kHeadsetPattern, kHeadsetPatternCode) +
        Entry("OtherIdsCode", "USB\\VID_3F9C&PID_4799&REV_0100&MI_00", kHeadsetExactCode) +
        Entry("MadeUp", "USB\\VID_3F9C&PID_4798&REV_0100&MI_00", "AAAAAAAAAAAAAAAAAAAAAAAA") +
        "NoComma=" + kHeadsetExact + "\r\n" +
        Entry("BadLength", kHeadsetExact, std::string(kHeadsetExactCode).substr(1)) +
        Entry("NotWholeBlocks", kHeadsetExact, "QUJD") +
        // Longer than the 1364 characters that are decoded.
        Entry("TooLong", std::string(1016, 'X'), std::string(1368, 'A'));
    ASSERT_EQ(LoadUsb(body), 0);
    EXPECT_EQ(manager.entries.size(), 7u);
    EXPECT_EQ(AcceptedIds(), std::vector<std::string>{kHeadsetPattern});
}

TEST_F(DeviceIdGroup, TrimsSpacesAroundIdAndCode) {
    const std::string line =
        std::string("Spaced = ") + kHeadsetExact + " ,  " + kHeadsetExactCode + "  \r\n";
    ASSERT_EQ(LoadUsb(line), 0);
    EXPECT_EQ(AcceptedIds(), std::vector<std::string>{kHeadsetExact});
}

TEST_F(DeviceIdGroup, KeepsDuplicateIdsInFileOrder) {
    ASSERT_EQ(LoadUsb(Entry("B", kHeadsetPattern, kHeadsetPatternCode) +
                      Entry("A", kHeadsetExact, kHeadsetExactCode) +
                      Entry("C", kHeadsetPattern, kHeadsetPatternCode)),
              0);
    // Ordered by ID: ...PID_4712... sorts before ...PID_47XX...
    EXPECT_EQ(AcceptedIds(),
              (std::vector<std::string>{kHeadsetExact, kHeadsetPattern, kHeadsetPattern}));
}

TEST_F(DeviceIdGroup, ReportsEachLoadFailure) {
    CDeviceIdMgr other;
    EXPECT_EQ(other.LoadGroup(folder.File(u"missing.cfg"), u"USB_VID_PID"), 1);

    const std::u16string noSection = folder.Write(u"a.cfg", "[HID_VID_PID]\r\nx=y,z\r\n");
    EXPECT_EQ(other.LoadGroup(noSection, u"USB_VID_PID"), 2);
    // Section names are case-sensitive.
    const std::u16string lower = folder.Write(u"b.cfg", "[usb_vid_pid]\r\nx=y,z\r\n");
    EXPECT_EQ(other.LoadGroup(lower, u"USB_VID_PID"), 2);

    EXPECT_EQ(LoadUsb("; only a comment\r\nno pair here\r\n"), 3);
}

TEST_F(DeviceIdGroup, EmptyCodeStopsTheGroupButKeepsWhatWasAccepted) {
    const std::string body = Entry("First", kHeadsetExact, kHeadsetExactCode) +
                             "Empty=" + kHeadsetPattern + ",\r\n" +
                             Entry("After", kHeadsetPattern, kHeadsetPatternCode);
    EXPECT_EQ(LoadUsb(body), 4);
    EXPECT_EQ(AcceptedIds(), std::vector<std::string>{kHeadsetExact});

    EXPECT_EQ(LoadUsb(std::string("EmptyId= ,") + kHeadsetExactCode + "\r\n"), 4);
}

TEST_F(DeviceIdGroup, AFailedFileLoadKeepsThePreviousGroup) {
    ASSERT_EQ(LoadUsb(Entry("Good", kHeadsetPattern, kHeadsetPatternCode)), 0);
    EXPECT_EQ(manager.LoadGroup(folder.File(u"missing.cfg"), u"USB_VID_PID"), 1);
    EXPECT_EQ(AcceptedIds(), std::vector<std::string>{kHeadsetPattern});
    EXPECT_EQ(manager.entries.size(), 1u);
}

TEST_F(DeviceIdGroup, MatchesWithXAsAnyCharacterInAnyCase) {
    ASSERT_EQ(LoadUsb(Entry("Headset", kHeadsetPattern, kHeadsetPatternCode) +
                      Entry("Short", kShortPattern, kShortPatternCode)),
              0);
    const struct {
        const char* hardwareId;
        bool match;
    } cases[] = {
        {"USB\\VID_3F9C&PID_4712&REV_0100&MI_00", true},
        {"usb\\vid_3f9c&pid_4712&rev_0100&mi_00", true},
        {"USB\\VID_3F9C&PID_47AB&REV_0100&MI_00", true},
        {"USB\\VID_3F9C&PID_4712&REV_0101&MI_00", false},
        {"USB\\VID_3F9C&PID_4812&REV_0100&MI_00", false},
        {"USB\\VID_3F9C&PID_4712&REV_0100&MI_000", false},
        {"USB\\VID_3F9C&PID_4712&REV_0100", false},
        // The lower-case listed pattern matches through its upper-cased copy.
        {"USB\\VID_3F9C&PID_4755", true},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(manager.IsMatch(U(c.hardwareId)), c.match) << c.hardwareId;
}

class PresentDevice : public DeviceIdGroup {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadUsb(Entry("Headset", kHeadsetPattern, kHeadsetPatternCode) +
                          Entry("Short", kShortPattern, kShortPatternCode)),
                  0);
    }

    void AddAudioDevice(std::vector<std::u16string> hardwareIds) {
        SimDevice device;
        device.hardwareIds = std::move(hardwareIds);
        device.interfaceClasses = {KSCATEGORY_AUDIO_GUID};
        tree.devices.push_back(device);
    }

    bool Find(std::u16string* result) {
        return FindPresentDevice(KSCATEGORY_AUDIO_GUID, U(kHeadsetPattern), manager, result, tree);
    }

    SimDeviceTree tree;
};

TEST_F(PresentDevice, FindsTheFirstDeviceWhoseFirstHardwareIdBelongsToTheGroup) {
    AddAudioDevice({});  // no hardware ID at all
    AddAudioDevice({u"USB\\VID_046D&PID_0A44&REV_0100&MI_00"});
    // Matches only through its second ID: not taken.
    AddAudioDevice(
        {u"USB\\VID_1111&PID_2222&REV_0100&MI_00", u"USB\\VID_3F9C&PID_4700&REV_0100&MI_00"});
    AddAudioDevice({u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00", u"USB\\VID_3F9C&PID_4712"});
    AddAudioDevice({u"USB\\VID_3F9C&PID_4713&REV_0100&MI_00"});

    std::u16string result;
    ASSERT_TRUE(Find(&result));
    EXPECT_EQ(result, u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00");
    EXPECT_EQ(tree.lastFlags, 0x12u);  // present devices exposing the interface class
    EXPECT_TRUE(Find(nullptr));
}

TEST_F(PresentDevice, OnlyIdsAsLongAsThePatternAreCompared) {
    // The group accepts this 21-character ID, but the pattern has 36 characters.
    AddAudioDevice({u"USB\\VID_3F9C&PID_4712"});
    std::u16string result = u"untouched";
    EXPECT_FALSE(Find(&result));
    EXPECT_EQ(result, u"untouched");
}

TEST_F(PresentDevice, FindsNothingWithoutAListAbsentDevicesOrOtherClasses) {
    AddAudioDevice({u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00"});
    tree.devices.back().present = false;
    SimDevice otherClass;
    otherClass.hardwareIds = {u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00"};
    tree.devices.push_back(otherClass);
    EXPECT_FALSE(Find(nullptr));

    AddAudioDevice({u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00"});
    tree.failNextList = true;
    EXPECT_FALSE(Find(nullptr));
    EXPECT_TRUE(Find(nullptr));
}
