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
        m.state.OsFamily = 4;
        m.state.ServicePackMajor = 1;
    }
    uint32_t Run() { return InstallSequence(m.ports, m.state).Install_KB3033929(); }

    SetupMachine m;
    const std::u16string package = u"C:\\Windows\\System32\\Windows6.1-KB3033929-x64.msu";
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
    EXPECT_TRUE(m.processes.shellExecuted.empty());
    EXPECT_TRUE(m.window.messages.empty());
}

TEST_F(PatchStep, AlreadyInstalledPassesAtOnce) {
    Win7Sp1x64();
    m.registry.CreateKey(RegistryHive::LocalMachine,
                         kStore + u"\\Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.2",
                         RegistryView::Native64);
    EXPECT_EQ(Run(), 0u);
    EXPECT_TRUE(m.processes.shellExecuted.empty());
}

TEST_F(PatchStep, MissingUpdateShowsTheNoticeThenInstallsAndWaits) {
    Win7Sp1x64();
    EXPECT_EQ(Run(), 0u);
    EXPECT_EQ(m.window.messages, std::vector<std::u16string>{u"Installing a Windows update."});
    EXPECT_EQ(m.processes.shellExecuted, std::vector<std::u16string>{package});
    EXPECT_EQ(m.processes.waits, std::vector<uint32_t>{WAIT_FOREVER});
    EXPECT_TRUE(m.Traced("***** Service pack KDB3033929 not EXIST! *****\n"));
}

TEST_F(PatchStep, EmptyNoticeIsLeftOutAndAFailedOpenGives0x80000601) {
    Win7Sp1x64();
    m.state.Texts[LabelWarning4].Text.clear();
    m.processes.shellFails = true;
    EXPECT_EQ(Run(), 0x80000601u);
    EXPECT_TRUE(m.window.messages.empty());
    EXPECT_TRUE(m.Traced("***** TMainForm::Install_KB3033929 (0x80000601) *****\n"));
}

TEST_F(PatchStep, CopyReportsOnlyAMissingResource) {
    InstallSequence sequence(m.ports, m.state);
    m.files.cannotOpen.insert(package);
    EXPECT_EQ(sequence.Copy_KB3033929(), 0u);
    EXPECT_TRUE(m.Traced("***** TMainForm::Copy_KB3033929 (0x10000702) *****\n"));
    m.resources.resources.clear();
    EXPECT_EQ(sequence.Copy_KB3033929(), 0x10000701u);
    EXPECT_TRUE(m.Traced("***** TMainForm::Copy_KB3033929 (0x10000701) *****\n"));
}

}  // namespace
