// Device restarts on 64-bit Windows, where the 32-bit installer's own class-installer calls fail:
// the installed 64-bit service program restarts the devices and reports back.
#include <gtest/gtest.h>

#include "DeviceRestart.h"
#include "DeviceRestartArguments.h"
#include "InstallLog.h"
#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "UninstallSequence.h"

namespace {

const std::vector<std::string> kRestarted = {"disable", "enable", "flags"};
const std::u16string kServiceProgram = u"C:\\Windows\\System32\\AudioDeviceService.exe";

TEST(DeviceRestartArguments, RoundTripAndAnythingElseIsNotARestart) {
    DeviceRestartRun run{kHardwareIdPattern,
                         {u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03", u"USB\\VID_3F9C&PID_48XX"},
                         {u"HID\\VID_1 2", u"bad\"id"}};
    const auto parsed = ParseDeviceRestartRun(u" " + DeviceRestartArguments(run));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->pattern, run.pattern);
    EXPECT_EQ(parsed->groupIds, run.groupIds);
    EXPECT_EQ(parsed->alsoIds, std::vector<std::u16string>{u"HID\\VID_1 2"});
    for (const char16_t* other :
         {u"", u"/Service", u"/RestartDevices", u"/RestartDevices \"P:\"",
          u"/RestartDevices \"G:x\"", u"/RestartDevices \"P:x", u"/RestartDevices \"P:x\" G:y",
          u"/RestartDevices \"P:x\" \"Q:y\"", u"/RestartDevices \"P:x\" \"P:y\"",
          u"/RestartDevicesX \"P:x\""})
        EXPECT_FALSE(ParseDeviceRestartRun(other)) << Narrow8(other);
    // Malformed runs are still runs: the service program must not wait for a service manager.
    EXPECT_TRUE(AsksForDeviceRestart(u" /RestartDevices \"P:x"));
    EXPECT_TRUE(AsksForDeviceRestart(u"/RestartDevices"));
    for (const char16_t* other : {u"", u"/Service", u"/RestartDevicesX", u"x /RestartDevices"})
        EXPECT_FALSE(AsksForDeviceRestart(other)) << Narrow8(other);
}

class Wow64Restart : public ::testing::Test {
protected:
    void SetUp() override {
        m.LoadHeadsetGroup();
        m.PlugHeadset({u"Vendor", u"UAExt"});
        FakeDevice other;
        other.hardwareIds = {u"USB\\VID_1234&PID_0001"};
        other.upperFilters = {u"UAExt"};
        m.devices.devices.push_back(other);
        m.state.IsWow64 = true;
        m.folders.wow64 = true;
        m.devices.classInstallerRefuses = true;  // the installer is a 32-bit process
    }
    std::vector<std::u16string> RestartRuns() const {
        std::vector<std::u16string> runs;
        for (const std::u16string& command : m.processes.created)
            if (command.find(u"/RestartDevices") != std::u16string::npos)
                runs.push_back(command);
        return runs;
    }

    SetupMachine m;
};

TEST_F(Wow64Restart, InstallationRestartsThroughTheInstalled64BitServiceProgram) {
    InstallSequence(m.ports, m.state).Install();
    EXPECT_TRUE(m.state.InstallSucceeded);
    // Before step 1 there is no service program yet; step 7 finds the 64-bit one just written.
    ASSERT_EQ(RestartRuns().size(), 1u);
    EXPECT_EQ(RestartRuns()[0].rfind(u"\"" + kServiceProgram + u"\" /RestartDevices ", 0), 0u);
    EXPECT_TRUE(m.Traced("***** Restart devices in the 64-bit service program FAIL (2) *****\n"));
    EXPECT_EQ(m.devices.devices[0].restarts, kRestarted);
    EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"Vendor"});
}

TEST_F(Wow64Restart, UninstallationRestartsTheUnboundDevicesToo) {
    InstallSequence(m.ports, m.state).Install();
    for (FakeDevice& device : m.devices.devices) {
        device.restarts.clear();
        device.upperFilters = {u"UAExt"};
    }
    m.state.UsbDeviceIds.Clear();  // the installed configuration is gone
    UninstallSequence(m.ports, m.state)
        .Uninstall(m.state.Folders.InstallFolderFullPath + u"Uninstall.exe");
    for (const FakeDevice& device : m.devices.devices) {
        EXPECT_EQ(device.restarts, kRestarted);
        EXPECT_TRUE(device.upperFilters.empty());
    }
    EXPECT_FALSE(m.files.IsFile(kServiceProgram));
}

TEST_F(Wow64Restart, OnlyThe64BitServiceProgramRestartsAndItsFailuresAreReported) {
    struct Case {
        std::function<void(SetupMachine&)> arrange;
        uint32_t result;
        bool restarted;
    };
    const Case cases[] = {
        {[](SetupMachine&) {}, 0, true},
        // Another build than the one this installation wrote is not run at all.
        {[](SetupMachine& m) { m.files.AddFile(kServiceProgram, "service32"); },
         RESTART_HELPER_NOT_OURS, false},
        {[](SetupMachine& m) { m.files.DeleteOneFile(kServiceProgram); },
         RESTART_HELPER_NOT_STARTED, false},
        // Still running when the wait ends: what it did is not known, and it is ended.
        {[](SetupMachine& m) { m.processes.endsInTime = false; }, RESTART_HELPER_TIMEOUT, true},
        // An older service program does not know the verb and fails as a service would.
        {[](SetupMachine& m) { m.processes.onRun = [&m](auto&) { m.processes.exitCode = 1063; }; },
         RESTART_HELPER_FAILED, false},
    };
    const std::string ours = "service64";
    m.state.ServiceProgramHash =
        ContentHash(reinterpret_cast<const uint8_t*>(ours.data()), ours.size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        m.files.AddFile(kServiceProgram, ours);
        m.processes.terminated.clear();
        m.processes.createFails = false;
        m.processes.endsInTime = true;
        cases[i].arrange(m);
        for (FakeDevice& device : m.devices.devices)
            device.restarts.clear();
        m.folders.calls.clear();
        EXPECT_EQ(RestartDevices(m.ports, m.state, {u"usb\\vid_1234&pid_0001"}), cases[i].result)
            << i;
        EXPECT_EQ(m.folders.calls, (std::vector<std::string>{"disable", "revert"})) << i;
        for (const FakeDevice& device : m.devices.devices)
            EXPECT_EQ(device.restarts.empty(), !cases[i].restarted) << i;
        EXPECT_EQ(m.processes.terminated.size(),
                  cases[i].result == RESTART_HELPER_TIMEOUT ? 1u : 0u)
            << i;
    }
}

// A reinstallation over the previous product: its service program is what System32 holds during
// the preparation. It is not run; after step 2 wrote this installer's own, step 7 runs that one.
TEST_F(Wow64Restart, ThePreviousProductsServiceProgramIsNotRun) {
    m.files.AddFile(kServiceProgram, "the previous product's service");
    InstallSequence(m.ports, m.state).Install();
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_TRUE(m.Traced("***** Restart devices in the 64-bit service program FAIL (5) *****\n"));
    ASSERT_EQ(RestartRuns().size(), 1u);
    EXPECT_EQ(m.files.Read(kServiceProgram), "service64");
    EXPECT_EQ(m.devices.devices[0].restarts, kRestarted);

    // The uninstaller knows its program from the hash in the log; a replaced one is not run.
    m.processes.created.clear();
    m.files.AddFile(kServiceProgram, "replaced since");
    m.state.ServiceProgramHash.clear();
    UninstallSequence(m.ports, m.state)
        .Uninstall(m.state.Folders.InstallFolderFullPath + u"Uninstall.exe");
    EXPECT_TRUE(RestartRuns().empty());
}

TEST(NativeRestart, A64BitInstallerRestartsInItsOwnProcess) {
    SetupMachine m;
    m.LoadHeadsetGroup();
    m.PlugHeadset();
    EXPECT_EQ(RestartDevices(m.ports, m.state, {}), 0u);
    EXPECT_EQ(m.devices.devices[0].restarts, kRestarted);
    EXPECT_TRUE(m.processes.created.empty());
}

}  // namespace
