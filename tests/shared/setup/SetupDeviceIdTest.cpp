// The installer's side of the device-ID groups: its device search and the registry export.
#include <gtest/gtest.h>

#include "../DeviceIdFixtures.h"
#include "DeviceIdMgr.h"
#include "MemoryRegistry.h"
#include "SimDeviceTree.h"
#include "TestFiles.h"

using namespace fixtures;

namespace {

class SetupGroups : public ::testing::Test {
protected:
    void LoadUsb(const std::string& body) {
        const std::u16string path = folder.Write(u"AudioConfig.cfg", "[USB_VID_PID]\r\n" + body);
        ASSERT_EQ(manager.LoadGroup(path, u"USB_VID_PID"), 0);
    }

    std::map<std::u16string, std::u16string> Exported(const std::u16string& group) const {
        std::map<std::u16string, std::u16string> values;
        if (const MemoryRegistry::Key* key =
                registry.Find(RegistryHive::LocalMachine, u"SOFTWARE\\" + group)) {
            for (const auto& [lower, value] : key->values)
                values[value.first] = value.second;
        }
        return values;
    }

    TempFolder folder;
    CDeviceIdMgr manager;
    MemoryRegistry registry;
};

}  // namespace

TEST_F(SetupGroups, SearchesEveryPresentDeviceOfEveryClass) {
    LoadUsb(Entry("Headset", kHeadsetPattern, kHeadsetPatternCode));
    SimDeviceTree tree;
    SimDevice headset;  // no audio interface: only an all-classes listing sees it
    headset.hardwareIds = {u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00"};
    tree.devices.push_back(headset);

    std::u16string result;
    EXPECT_TRUE(
        FindPresentDevice(KSCATEGORY_AUDIO_GUID, U(kHeadsetPattern), manager, &result, tree));
    EXPECT_EQ(result, u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00");
    EXPECT_EQ(tree.lastFlags, 0x6u);
}

TEST_F(SetupGroups, ExportsAcceptedEntriesNumberedInIdOrder) {
    LoadUsb(Entry("B", kHeadsetPattern, kHeadsetPatternCode) + Entry("Bad", kHeadsetExact, "QUJD") +
            Entry("A", kHeadsetExact, kHeadsetExactCode) +
            Entry("C", kHeadsetPattern, kHeadsetPatternCode));
    EXPECT_EQ(SaveGroupToRegistry(manager, u"QLN USB DeviceId Group", registry), 0u);

    const std::u16string exact = U(kHeadsetExact) + u"," + U(kHeadsetExactCode);
    const std::u16string pattern = U(kHeadsetPattern) + u"," + U(kHeadsetPatternCode);
    const std::map<std::u16string, std::u16string> expected = {
        {u"1", exact}, {u"2", pattern}, {u"3", pattern}};
    EXPECT_EQ(Exported(u"QLN USB DeviceId Group"), expected);
}

TEST_F(SetupGroups, LeavesValuesOfAnEarlierLargerExportInPlace) {
    registry.CreateKey(RegistryHive::LocalMachine, u"SOFTWARE\\QLN HID DeviceId Group")
        ->SetString(u"2", u"old");
    const std::u16string path = folder.Write(
        u"AudioConfig.cfg", "[HID_VID_PID]\r\n" + Entry("Hid", kHidPattern, kHidPatternCode));
    ASSERT_EQ(manager.LoadGroup(path, u"HID_VID_PID"), 0);
    SaveGroupToRegistry(manager, u"QLN HID DeviceId Group", registry);

    const auto values = Exported(u"QLN HID DeviceId Group");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values.at(u"1"), U(kHidPattern) + u"," + U(kHidPatternCode));
    EXPECT_EQ(values.at(u"2"), u"old");
}
