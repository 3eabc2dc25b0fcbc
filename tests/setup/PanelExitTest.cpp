// The panel asked to end before its files are replaced or deleted: its processes are waited for,
// the request repeated, and the wait is bounded.
#include <gtest/gtest.h>

#include <climits>
#include <numeric>

#include "InstallSequence.h"
#include "PanelExit.h"
#include "SetupFakes.h"
#include "UninstallSequence.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kPanel = kInstall + u"AudioPanelApp.exe";

uint32_t Waited(const SetupMachine& m) {
    return std::accumulate(m.processes.runningWaits.begin(), m.processes.runningWaits.end(), 0u);
}

// A panel still starting (or busy) misses the first requests; one broadcast per step would
// leave its program file in use and step 3 would fail.
TEST(PanelExit, InstallationWaitsForAPanelThatHearsLate) {
    SetupMachine m;
    m.files.AddFile(kPanel, "old panel");
    m.processes.Run(kPanel, 4);
    InstallSequence(m.ports, m.state).Install();
    EXPECT_TRUE(m.window.messages.empty());
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_EQ(m.files.Read(kPanel), "panel");
    EXPECT_GE(m.window.broadcasts, 4);
    EXPECT_TRUE(m.Traced("##### Waiting for the running panel to end #####\n"));
}

TEST(PanelExit, APanelThatNeverEndsIsWaitedForTenSecondsAtMost) {
    SetupMachine m;
    m.files.AddFile(kPanel, "old panel");
    m.processes.Run(kPanel, INT_MAX);
    EXPECT_FALSE(EndRunningPanels(m.window, m.processes, {kPanel}));
    EXPECT_EQ(Waited(m), kPanelExitWaitMs);

    // In the installation it costs that twice and step 3 then reports the file in use.
    m.processes.runningWaits.clear();
    InstallSequence(m.ports, m.state).Install();
    EXPECT_EQ(Waited(m), 2 * kPanelExitWaitMs);
    ASSERT_EQ(m.window.messages.size(), 1u);
    EXPECT_EQ(m.window.messages[0], u"Installation failed.(Code = 0x80000003)");
}

// Only the installed program is ours to wait for: a panel of the same name elsewhere is not.
TEST(PanelExit, OnlyTheInstalledProgramIsWaitedFor) {
    SetupMachine m;
    m.processes.Run(u"C:\\Other\\AudioPanelApp.exe", INT_MAX);
    EXPECT_TRUE(EndRunningPanels(m.window, m.processes, {kPanel}));
    EXPECT_EQ(m.window.broadcasts, 1);
    EXPECT_TRUE(m.processes.runningWaits.empty());
}

// The uninstaller waits for the programs its log lists in the install folder, not for itself.
TEST(PanelExit, UninstallationWaitsForThePanelButNotForItself) {
    SetupMachine m;
    m.LoadHeadsetGroup();
    InstallSequence(m.ports, m.state).Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    const int broadcasts = m.window.broadcasts;
    m.processes.Run(kInstall + u"Uninstall.exe", INT_MAX);
    m.processes.Run(kPanel, broadcasts + 3);
    EXPECT_EQ(UninstallSequence(m.ports, m.state).Uninstall(kInstall + u"Uninstall.exe"),
              UninstallOutcome::Removed);
    EXPECT_FALSE(m.files.IsFile(kPanel));
    EXPECT_LT(Waited(m), kPanelExitWaitMs);
}

}  // namespace
