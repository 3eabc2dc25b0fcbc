// The Windows version, the servicing-store test and the update's steps.
#include <gtest/gtest.h>

#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupOperations.h"

namespace {

const std::u16string kStore =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\Packages";

TEST(WindowsVersion, MapsVersionsToFamilies) {
    const struct {
        uint32_t major, minor;
        int32_t family;
    } cases[] = {{4, 0, 0}, {5, 1, 2}, {6, 0, 3},  {6, 1, 4},
                 {6, 2, 5}, {6, 3, 5}, {10, 0, 6}, {6, 4, -1}};
    for (const auto& c : cases) {
        MemoryFiles files;
        FakeSystem system(files);
        system.rtl = {c.major, c.minor, 0, 3};
        int32_t family = 2;
        int32_t servicePack = 0;
        EXPECT_EQ(GetWindowsVersion(system, family, servicePack), 0u);
        EXPECT_EQ(family, c.family) << c.major << "." << c.minor;
        EXPECT_EQ(servicePack, 3);
    }
}

TEST(WindowsVersion, FailureLeavesTheValues) {
    MemoryFiles files;
    FakeSystem system(files);
    for (int status : {RTL_VERSION_NOT_FOUND, RTL_VERSION_FAILED}) {
        system.rtlStatus = status;
        int32_t family = 2;
        int32_t servicePack = 0;
        EXPECT_EQ(GetWindowsVersion(system, family, servicePack), static_cast<uint32_t>(status));
        EXPECT_EQ(family, 2);
        EXPECT_EQ(servicePack, 0);
    }
}

TEST(ServicingStore, UpdateCountsWhenASubkeyBeginsWithTheExactPrefix) {
    MemoryRegistry registry;
    EXPECT_FALSE(IsWindowsUpdateInstalled(registry, u"KB3033929"));
    registry.CreateKey(RegistryHive::LocalMachine, kStore, RegistryView::Native64);
    EXPECT_FALSE(IsWindowsUpdateInstalled(registry, u"KB3033929"));
    registry.CreateKey(RegistryHive::LocalMachine, kStore + u"\\package_for_KB3033929~31bf",
                       RegistryView::Native64);
    registry.CreateKey(RegistryHive::LocalMachine, kStore + u"\\Package_for_KB3033929",
                       RegistryView::Native64);
    // The 32-bit view is not the servicing store.
    registry.CreateKey(RegistryHive::LocalMachine, kStore + u"\\Package_for_KB3033929~31bf");
    EXPECT_FALSE(IsWindowsUpdateInstalled(registry, u"KB3033929"));
    registry.CreateKey(RegistryHive::LocalMachine,
                       kStore + u"\\Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.2",
                       RegistryView::Native64);
    EXPECT_TRUE(IsWindowsUpdateInstalled(registry, u"KB3033929"));
}

class PatchStep : public ::testing::Test {
protected:
    void Win7Sp1x64() {
        m.state.IsWow64 = true;
        m.folders.wow64 = true;
        m.state.OsFamily = 4;
        m.state.ServicePackMajor = 1;
        m.state.Folders.SystemFolder = u"C:\\Windows\\SysWOW64\\";
        m.files.AddFile(u"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu", "msu");
    }
    uint32_t Run() { return InstallSequence(m.ports, m.state).Install_KB3033929(); }

    SetupMachine m;
    const std::u16string wusa =
        u"\"C:\\Windows\\System32\\wusa.exe\" "
        u"\"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu\"";
};

TEST_F(PatchStep, NotNeededAnywhereButOn64BitWindows7WithAServicePack) {
    m.state.OsFamily = 4;
    m.state.ServicePackMajor = 1;
    EXPECT_EQ(Run(), 0u);
    EXPECT_TRUE(m.Traced("##### The OS is 32-Bit #####\n"));
    m.state.IsWow64 = true;
    m.state.OsFamily = 6;
    EXPECT_EQ(Run(), 0u);
    EXPECT_TRUE(m.Traced("##### The OS is not Win7 #####\n"));
    m.state.OsFamily = 4;
    m.state.ServicePackMajor = 0;
    EXPECT_EQ(Run(), 0u);
    EXPECT_TRUE(m.Traced("##### The OS is Win7, but not install the service pack! #####\n"));
    EXPECT_TRUE(m.processes.created.empty());
    EXPECT_TRUE(m.window.messages.empty());
}

TEST_F(PatchStep, AlreadyInstalledPassesAtOnce) {
    Win7Sp1x64();
    m.registry.CreateKey(RegistryHive::LocalMachine,
                         kStore + u"\\Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.2",
                         RegistryView::Native64);
    EXPECT_EQ(Run(), 0u);
    EXPECT_TRUE(m.processes.created.empty());
}

// Not through the file type, which the user's own HKCU\Software\Classes can redirect: the
// native wusa.exe, given the package's full path, waited for.
TEST_F(PatchStep, MissingUpdateShowsTheNoticeThenHasTheNativeUpdateInstallerRunIt) {
    Win7Sp1x64();
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(m.window.messages, std::vector<std::u16string>{u"Installing a Windows update."});
    EXPECT_EQ(m.processes.created, std::vector<std::u16string>{wusa});
    EXPECT_EQ(m.processes.waits, std::vector<uint32_t>{WAIT_FOREVER});
    EXPECT_EQ(m.folders.calls, (std::vector<std::string>{"disable", "revert"}));
    EXPECT_TRUE(m.Traced("***** Service pack KDB3033929 not EXIST! *****\n"));
    EXPECT_FALSE(m.state.RestartNeeded);
}

TEST_F(PatchStep, TheUpdateInstallersExitCodeDecides) {
    const struct {
        uint32_t exitCode;
        uint32_t result;
        bool restart;
    } cases[] = {{0, 0, false},
                 {3010, 0, true},
                 {0x240005, 0, true},
                 {0x240006, 0, false},
                 {0x80240017, 0, false},
                 {1, 0x80000602, false},
                 {0x80070422, 0x80000602, false}};
    for (const auto& c : cases) {
        m.state.RestartNeeded = false;
        Win7Sp1x64();
        m.processes.exitCode = c.exitCode;
        EXPECT_EQ(Run(), c.result) << std::hex << c.exitCode;
        EXPECT_EQ(m.state.RestartNeeded, c.restart) << std::hex << c.exitCode;
    }
    EXPECT_TRUE(
        m.Traced("***** TMainForm::Install_KB3033929 (0x80000602): update installer ended "
                 "with 0x80070422 *****\n"));
}

TEST_F(PatchStep, EmptyNoticeIsLeftOutAndAnUpdateInstallerThatCannotStartGives0x80000601) {
    Win7Sp1x64();
    m.state.Texts[LabelWarning4].Text.clear();
    // Where a 32-bit program would find it with the redirection on: the wrong one.
    m.files.DeleteOneFile(u"C:\\Windows\\System32\\wusa.exe");
    m.files.AddFile(u"C:\\Windows\\SysWOW64\\wusa.exe", "32-bit");
    EXPECT_EQ(Run(), 0x80000601u);
    EXPECT_TRUE(m.window.messages.empty());
    EXPECT_TRUE(m.Traced("***** TMainForm::Install_KB3033929 (0x80000601) *****\n"));
    // Without the package nothing is started.
    m.files.AddFile(u"C:\\Windows\\System32\\wusa.exe", "64-bit");
    m.files.DeleteOneFile(u"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu");
    m.processes.created.clear();
    EXPECT_EQ(Run(), 0x80000601u);
    EXPECT_TRUE(m.processes.created.empty());
}

TEST_F(PatchStep, CopyReportsOnlyAMissingResource) {
    InstallSequence sequence(m.ports, m.state);
    m.files.cannotOpen.insert(u"C:\\Windows\\System32\\Windows6.1-KB3033929-x64.msu");
    EXPECT_EQ(sequence.Copy_KB3033929(), 0u);
    EXPECT_TRUE(m.Traced("***** TMainForm::Copy_KB3033929 (0x10000702) *****\n"));
    m.resources.resources.clear();
    EXPECT_EQ(sequence.Copy_KB3033929(), 0x10000701u);
    EXPECT_TRUE(m.Traced("***** TMainForm::Copy_KB3033929 (0x10000701) *****\n"));
}

}  // namespace
