// The uninstaller takes back what an installation wrote, and leaves the user's profiles.
#include <gtest/gtest.h>

#include <algorithm>

#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "UninstallSequence.h"
#include "UninstallerArguments.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kUserFolder = u"C:\\Users\\me\\AppData\\Roaming\\QLN Audio";

class Uninstall : public ::testing::Test {
protected:
    void SetUp() override {
        m.LoadHeadsetGroup();
        m.PlugHeadset();
        m.state.Folders.SystemFolder = u"C:\\Windows\\SysWOW64\\";
        InstallSequence(m.ports, m.state).Install();
        ASSERT_TRUE(m.state.InstallSucceeded);
        // What Windows and the user add after the installation.
        m.registry.CreateKey(RegistryHive::LocalMachine,
                             u"SYSTEM\\CurrentControlSet\\Services\\UAExt\\Enum");
        m.files.AddFile(kUserFolder + u"\\LastProfile.ini", "profile");
        m.devices.devices[0].upperFilters = {u"UAExt"};
        ASSERT_EQ(m.files.FilesBelow(m.shortcuts.programs + u"\\QLN Audio").size(), 3u);
        m.files.log.clear();
    }

    bool KeyExists(const std::u16string& path) {
        return m.registry.Find(RegistryHive::LocalMachine, path) != nullptr;
    }

    SetupMachine m;
};

TEST_F(Uninstall, RemovesWhatTheInstallationWroteButTheUserProfile) {
    UninstallSequence(m.ports, m.state).Uninstall();

    EXPECT_TRUE(m.services.services[kServiceName].deleted);
    EXPECT_EQ(m.services.services[kServiceName].state, SERVICE_STATE_STOPPED);
    EXPECT_TRUE(m.devices.devices[0].upperFilters.empty());
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\AudioDeviceService.exe"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu"));
    EXPECT_FALSE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));

    // Only the running uninstaller is left; the platform removes it and the folder afterwards.
    EXPECT_EQ(m.files.FilesBelow(kInstall), std::vector<std::string>{"Uninstall.exe"});
    EXPECT_FALSE(m.files.IsFolder(kInstall + u"Skin"));
    EXPECT_FALSE(m.files.IsFolder(kInstall + u"Manual"));
    EXPECT_EQ(m.files.FilesBelow(kUserFolder), std::vector<std::string>{"LastProfile.ini"});
    EXPECT_FALSE(m.files.IsFolder(m.shortcuts.programs + u"\\QLN Audio"));

    const MemoryRegistry::Key* run = m.registry.Find(RegistryHive::LocalMachine, kRunKeyPath);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->values.count(u"audiopanelapp"), 0u);
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
    EXPECT_FALSE(KeyExists(u"SOFTWARE\\QLN USB DeviceId Group"));
    EXPECT_FALSE(KeyExists(u"SOFTWARE\\QLN HID DeviceId Group"));
}

TEST_F(Uninstall, UnbindsTheFilterBeforeItsFileIsDeleted) {
    UninstallSequence(m.ports, m.state).Uninstall();
    const auto& log = m.files.log;
    const auto unbind = std::find(log.begin(), log.end(), "unbind");
    const auto driver =
        std::find(log.begin(), log.end(), "delete C:\\Windows\\System32\\drivers\\UAExt.sys");
    ASSERT_NE(unbind, log.end());
    ASSERT_NE(driver, log.end());
    EXPECT_LT(unbind - log.begin(), driver - log.begin());
}

TEST_F(Uninstall, FilterInSecondPlaceOrOutsideTheGroupIsUnboundBeforeTheDriverGoes) {
    // The installed configuration is gone: no group is known.
    m.state.UsbDeviceIds.Clear();
    m.devices.devices[0].upperFilters = {u"Vendor", u"UAExt"};
    FakeDevice other;
    other.hardwareIds = {u"USB\\VID_1234&PID_0001"};
    other.upperFilters = {u"UAExt", u"Other", u"Last"};
    m.devices.devices.push_back(other);
    m.devices.devices[0].restarts.clear();
    UninstallSequence(m.ports, m.state).Uninstall();

    EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"Vendor"});
    EXPECT_EQ(m.devices.devices[1].upperFilters, (std::vector<std::u16string>{u"Other", u"Last"}));
    for (const FakeDevice& device : m.devices.devices)
        EXPECT_EQ(device.restarts, (std::vector<std::string>{"disable", "enable", "flags"}));
    const auto& log = m.files.log;
    const auto lastUnbind = std::find(log.rbegin(), log.rend(), "unbind");
    const auto driver =
        std::find(log.begin(), log.end(), "delete C:\\Windows\\System32\\drivers\\UAExt.sys");
    ASSERT_NE(lastUnbind, log.rend());
    ASSERT_NE(driver, log.end());
    EXPECT_LT(log.rend() - lastUnbind - 1, driver - log.begin());
    EXPECT_FALSE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));
}

TEST_F(Uninstall, DriverFileAndKeyStayWhileADeviceStillListsTheFilter) {
    m.devices.devices[0].filtersWriteFails = true;
    UninstallSequence(m.ports, m.state).Uninstall();
    EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"UAExt"});
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_TRUE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));
    EXPECT_TRUE(m.Traced("##### A device may still list the filter: driver kept #####\n"));
    // The rest of the removal goes on.
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\AudioDeviceService.exe"));
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));

    m.devices.allListFails = true;  // nothing known about the devices: nothing risked
    m.devices.devices[0].filtersWriteFails = false;
    UninstallSequence(m.ports, m.state).Uninstall();
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
}

TEST_F(Uninstall, FileInUseIsLeftAndTheRestStillGoes) {
    m.files.inUse.insert(kInstall + u"AudioPanelApp.exe");
    m.services.services.clear();
    UninstallSequence(m.ports, m.state).Uninstall();
    EXPECT_TRUE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
    EXPECT_TRUE(
        m.Traced("##### Not removed: C:\\Program Files\\QLN Audio\\AudioPanelApp.exe #####\n"));
    EXPECT_TRUE(m.Traced("***** Delete service FAIL! *****\n"));
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
}

}  // namespace

namespace {

TEST(UninstallerRuns, RemovalRunArgumentsRoundTripAndAnythingElseIsTheUsersRun) {
    const std::u16string path = u"C:\\Program Files\\QLN Audio\\Uninstall.exe";
    const auto run = ParseRemovalRun(u"  " + RemovalRunArguments(4242, path));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->parentProcessId, 4242u);
    EXPECT_EQ(run->installedUninstaller, path);
    for (const char16_t* other : {u"", u"/Remove", u"/Remove 12", u"/Remove x \"C:\\a\"",
                                  u"/Remove 12 C:\\a", u"/Remove 12 \"\"", u"/Remove 12 \"C:\\a",
                                  u"/remove 12 \"C:\\a\"", u"/Remove 99999999999 \"C:\\a\""})
        EXPECT_FALSE(ParseRemovalRun(other)) << Narrow8(other);
}

}  // namespace
