// The wizard's pages, buttons and end, and closing it while the worker runs.
#include <gtest/gtest.h>

#include "../shared/DeviceIdFixtures.h"
#include "InstallLog.h"
#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "TestFiles.h"
#include "WizardFlow.h"

using namespace fixtures;

namespace {

bool operator==(const ButtonState& a, const ButtonState& b) {
    return a.shown == b.shown && a.enabled == b.enabled;
}

class Wizard : public ::testing::Test {
protected:
    SetupMachine m;
    WizardFlow flow{m.ports, m.state};
};

TEST_F(Wizard, PhasesShowTheirPagesAndButtons) {
    EXPECT_EQ(flow.Page(), 0);
    WizardButtons b = flow.Buttons();
    EXPECT_TRUE(b.back == (ButtonState{false, false}));
    EXPECT_TRUE(b.next == (ButtonState{true, true}));
    EXPECT_TRUE(b.finish == (ButtonState{true, false}));
    EXPECT_TRUE(b.cancel == (ButtonState{true, true}));

    ASSERT_TRUE(flow.Next());
    EXPECT_EQ(flow.Page(), 1);
    b = flow.Buttons();
    EXPECT_TRUE(b.next == (ButtonState{true, false}));
    EXPECT_TRUE(b.cancel == (ButtonState{true, true}));

    EXPECT_FALSE(flow.Done());
    EXPECT_EQ(flow.Page(), 2);
    b = flow.Buttons();
    EXPECT_TRUE(b.back == (ButtonState{false, false}));
    EXPECT_TRUE(b.next == (ButtonState{false, false}));
    EXPECT_TRUE(b.finish == (ButtonState{true, true}));
    EXPECT_TRUE(b.cancel == (ButtonState{false, false}));
}

TEST_F(Wizard, KeyboardFocusAndEnterFollowThePhase) {
    struct Case {
        const char* when;
        WizardControl focus;
        WizardControl enter;
    };
    std::vector<Case> seen;
    const auto look = [&](const char* when) {
        seen.push_back({when, flow.FocusOnShow(), flow.DefaultButton()});
    };
    look("language page");
    flow.Next();
    look("installing");
    m.window.answerYes = true;
    flow.RequestClose();
    look("stop asked for");

    WizardFlow failed(m.ports, m.state);
    failed.Next();
    failed.Done();
    seen.push_back({"end page after a failure", failed.FocusOnShow(), failed.DefaultButton()});
    m.state.InstallSucceeded = true;
    m.state.StopRequested = false;
    WizardFlow succeeded(m.ports, m.state);
    succeeded.Next();
    succeeded.Done();
    seen.push_back({"end page after success", succeeded.FocusOnShow(), succeeded.DefaultButton()});

    const Case expected[] = {
        {"language page", WizardControl::Next, WizardControl::Next},
        {"installing", WizardControl::Cancel, WizardControl::Next},
        {"stop asked for", WizardControl::None, WizardControl::Next},
        {"end page after a failure", WizardControl::NoRebootChoice, WizardControl::Finish},
        {"end page after success", WizardControl::RebootChoice, WizardControl::Finish},
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].focus, expected[i].focus) << expected[i].when;
        EXPECT_EQ(seen[i].enter, expected[i].enter) << expected[i].when;
    }
}

TEST_F(Wizard, NextStartsTheWorkerOnlyOnce) {
    EXPECT_TRUE(flow.Next());
    EXPECT_FALSE(flow.Next());
    flow.Done();
    EXPECT_FALSE(flow.Next());
}

TEST_F(Wizard, SuccessPreselectsRebootAndFinishReboots) {
    flow.Next();
    InstallSequence(m.ports, m.state).InstallThreadProc();
    flow.Done();
    EXPECT_TRUE(flow.RebootChecked());
    flow.Finish();
    EXPECT_EQ(m.system.reboots, 1);
    EXPECT_TRUE(m.processes.openedAsDesktopUser.empty());
}

TEST_F(Wizard, FailurePreselectsNoRebootAndFinishStartsThePanelAsTheDesktopUser) {
    m.resources.resources.clear();
    flow.Next();
    InstallSequence(m.ports, m.state).InstallThreadProc();
    flow.Done();
    EXPECT_FALSE(flow.RebootChecked());
    flow.Finish();
    EXPECT_EQ(m.system.reboots, 0);
    EXPECT_EQ(m.processes.openedAsDesktopUser,
              std::vector<std::u16string>{u"C:\\Program Files\\QLN Audio\\AudioPanelApp.exe"});
    // Never with the installer's own (administrator) token.
    EXPECT_TRUE(m.processes.created.empty());
}

TEST_F(Wizard, WithoutADesktopShellThePanelIsNotStartedElevated) {
    m.processes.desktopShellMissing = true;
    m.state.InstallSucceeded = true;
    flow.Next();
    flow.Done();
    flow.SetRebootChecked(false);
    flow.Finish();
    EXPECT_TRUE(m.processes.created.empty());
    EXPECT_TRUE(m.Traced("***** Start the panel as the desktop user FAIL! *****\n"));
}

TEST_F(Wizard, UserMaySwitchToNoRebootAfterSuccess) {
    m.state.InstallSucceeded = true;
    flow.Next();
    flow.Done();
    flow.SetRebootChecked(false);
    flow.Finish();
    EXPECT_EQ(m.system.reboots, 0);
    EXPECT_EQ(m.processes.openedAsDesktopUser.size(), 1u);
}

TEST_F(Wizard, ClosingOutsideTheInstallationEndsAtOnce) {
    EXPECT_EQ(flow.RequestClose(), CloseAction::CloseNow);
    flow.Next();
    flow.Done();
    EXPECT_EQ(flow.RequestClose(), CloseAction::CloseNow);
    EXPECT_EQ(m.window.questions, 0);
}

TEST_F(Wizard, ClosingDuringTheInstallationAsksAndMayBeDeclined) {
    flow.Next();
    m.window.answerYes = false;
    EXPECT_EQ(flow.RequestClose(), CloseAction::Ignore);
    EXPECT_FALSE(m.state.StopRequested);
    EXPECT_FALSE(flow.Done());
    EXPECT_EQ(flow.Page(), 2);
}

TEST_F(Wizard, ConfirmedCloseLetsTheStepFinishThenEnds) {
    flow.Next();
    // The user confirms while step 3 is in progress.
    m.window.onProgress = [this](int percent) {
        if (percent == 70) {
            EXPECT_EQ(flow.RequestClose(), CloseAction::EndAfterWorker);
        }
    };
    InstallSequence(m.ports, m.state).InstallThreadProc();
    EXPECT_EQ(m.window.questions, 1);
    EXPECT_TRUE(flow.Buttons().cancel == (ButtonState{true, false}));
    // Step 3 completed, step 4 never began.
    EXPECT_TRUE(m.files.IsFile(u"C:\\Program Files\\QLN Audio\\AudioPanelApp.exe"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Program Files\\QLN Audio\\Uninstall.exe"));
    EXPECT_TRUE(m.window.messages.empty());
    // WM_SETUP_DONE then ends the program instead of showing the end page.
    EXPECT_TRUE(flow.Done());
    EXPECT_EQ(flow.Page(), 1);
}

// The exit codes deployment tools read, from each way a run can end.
struct Ending {
    const char* name;
    const char16_t* options;
    std::function<void(SetupMachine&)> arrange;
    bool install;  // Next was pressed (or the run is silent)
    bool closeDuringStep3;
    uint32_t exitCode;
    int reboots;
    size_t panelsStarted;
};

class WizardEnding : public ::testing::TestWithParam<Ending> {};

TEST_P(WizardEnding, GivesItsExitCode) {
    const Ending& e = GetParam();
    SetupMachine m;
    m.state.Options = ParseSetupCommandLine(e.options, SetupProgram::Installer);
    e.arrange(m);
    WizardFlow flow{m.ports, m.state};
    if (e.install) {
        flow.Next();
        m.window.onProgress = [&](int percent) {
            if (percent == 70 && e.closeDuringStep3)
                flow.RequestClose();
        };
        InstallSequence(m.ports, m.state).InstallThreadProc();
        if (!flow.Done()) {
            if (m.state.Options.Quiet()) {
                flow.FinishQuietly();
            } else {
                flow.SetRebootChecked(false);
                flow.Finish();
            }
        }
    } else {
        flow.RequestClose();
    }
    EXPECT_EQ(flow.ExitCode(), e.exitCode);
    EXPECT_EQ(m.system.reboots, e.reboots);
    EXPECT_EQ(m.processes.openedAsDesktopUser.size(), e.panelsStarted);
}

// The headset plugged in, the new filter not loaded after the restart of step 7.
void FilterNeedsRestart(SetupMachine& m) {
    m.LoadHeadsetGroup();
    m.PlugHeadset();
}

INSTANTIATE_TEST_SUITE_P(
    Endings, WizardEnding,
    ::testing::Values(
        Ending{"CancelledOnTheFirstPage", u"", [](SetupMachine&) {}, false, false, 1602, 0, 0},
        Ending{"Done", u"", [](SetupMachine&) {}, true, false, 0, 0, 1},
        Ending{"DoneRestartNeeded", u"", FilterNeedsRestart, true, false, 3010, 0, 1},
        Ending{"Failed", u"", [](SetupMachine& m) { m.resources.resources.clear(); }, true, false,
               1603, 0, 1},
        Ending{"StoppedDuringTheInstallation", u"", [](SetupMachine&) {}, true, true, 1602, 0, 0},
        // Silent: a restart only when the installation needs one and /NORESTART is absent.
        Ending{"SilentDone", u"/VERYSILENT", [](SetupMachine&) {}, true, false, 0, 0, 1},
        Ending{"SilentRestarts", u"/SILENT", FilterNeedsRestart, true, false, 1641, 1, 0},
        Ending{"SilentNoRestart", u"/VERYSILENT /NORESTART", FilterNeedsRestart, true, false, 3010,
               0, 1},
        Ending{"SilentFailed", u"/VERYSILENT /SUPPRESSMSGBOXES",
               [](SetupMachine& m) { m.resources.resources.clear(); }, true, false, 1603, 0, 0}),
    [](const ::testing::TestParamInfo<Ending>& info) { return info.param.name; });

// A silent run shows no notice and, with /SUPPRESSMSGBOXES, no error either: both go to the
// trace (and so to /LOG).
TEST(QuietRun, NoticesAreLeftOutAndErrorsOnlyWithSuppressedBoxes) {
    {
        SetupMachine m;
        m.state.Options = ParseSetupCommandLine(u"/SILENT", SetupProgram::Installer);
        FilterNeedsRestart(m);
        m.resources.resources.erase({RES_WINDOWPATCH, u"WINDOWPATCH"});
        InstallSequence(m.ports, m.state).Install();
        EXPECT_TRUE(m.state.InstallSucceeded);
        EXPECT_TRUE(m.window.messages.empty());
        EXPECT_TRUE(m.Traced("##### Notice not shown \"Install\": Please reboot. #####\n"));
    }
    {
        SetupMachine m;
        m.state.Options = ParseSetupCommandLine(u"/VERYSILENT", SetupProgram::Installer);
        m.resources.resources.clear();
        InstallSequence(m.ports, m.state).Install();
        EXPECT_EQ(m.window.messages,
                  std::vector<std::u16string>{u"Installation failed.(Code = 0x80000001)"});
    }
    {
        SetupMachine m;
        m.state.Options =
            ParseSetupCommandLine(u"/VERYSILENT /SUPPRESSMSGBOXES", SetupProgram::Installer);
        m.resources.resources.clear();
        InstallSequence(m.ports, m.state).Install();
        EXPECT_TRUE(m.window.messages.empty());
        EXPECT_TRUE(m.Traced("===== Install STEP1 result 0x80000102 =====\n"));
        EXPECT_TRUE(
            m.Traced("##### Message not shown \"Install\": Installation failed.(Code = 0x80000001) "
                     "#####\n"));
        // Closing the progress window then stops without a question.
        WizardFlow flow{m.ports, m.state};
        flow.Next();
        EXPECT_EQ(flow.RequestClose(), CloseAction::EndAfterWorker);
        EXPECT_EQ(m.window.questions, 0);
    }
}

class WizardGroups : public ::testing::Test {
protected:
    void Write(const std::string& body) {
        folder.Write(u"AudioConfig.cfg", body);
        m.state.Folders.SourceFolderFullPath = folder.path();
    }
    const MemoryRegistry::Key* Group(const char16_t* name) {
        return m.registry.Find(RegistryHive::LocalMachine, u"SOFTWARE\\" + std::u16string(name));
    }

    TempFolder folder;
    SetupMachine m;
    WizardFlow flow{m.ports, m.state};
};

TEST_F(WizardGroups, BothGroupsArePublished) {
    Write("[USB_VID_PID]\r\n" + Entry("Headset", kHeadsetPattern, kHeadsetPatternCode) +
          "[HID_VID_PID]\r\n" + Entry("Hid", kHidPattern, kHidPatternCode));
    EXPECT_TRUE(flow.LoadAndPublishGroups());
    ASSERT_NE(Group(kUsbGroupName), nullptr);
    EXPECT_EQ(Group(kUsbGroupName)->values.at(u"1").second,
              U(kHeadsetPattern) + u"," + U(kHeadsetPatternCode));
    ASSERT_NE(Group(kHidGroupName), nullptr);
}

TEST_F(WizardGroups, MissingUsbGroupEndsBeforeAnythingIsPublished) {
    Write("[HID_VID_PID]\r\n" + Entry("Hid", kHidPattern, kHidPatternCode));
    EXPECT_FALSE(flow.LoadAndPublishGroups());
    EXPECT_EQ(flow.ExitCode(), 1603u);
    EXPECT_EQ(Group(kUsbGroupName), nullptr);
    EXPECT_EQ(Group(kHidGroupName), nullptr);
}

TEST_F(WizardGroups, MissingHidGroupEndsAfterTheUsbGroupWasPublished) {
    Write("[USB_VID_PID]\r\n" + Entry("Headset", kHeadsetPattern, kHeadsetPatternCode));
    EXPECT_FALSE(flow.LoadAndPublishGroups());
    EXPECT_NE(Group(kUsbGroupName), nullptr);
    EXPECT_EQ(Group(kHidGroupName), nullptr);
}

// Closed on its first page, the wizard has published both groups already.
TEST_F(WizardGroups, GroupsPublishedBeforeACloseOnTheFirstPageAreLogged) {
    const std::u16string log = u"C:\\Program Files\\QLN Audio\\Install.log";
    const std::vector<uint8_t> bytes = FormatInstallLog({{LogEntryKind::File, log, {}}});
    m.files.AddFile(log, std::string(bytes.begin(), bytes.end()));
    Write("[USB_VID_PID]\r\n" + Entry("Headset", kHeadsetPattern, kHeadsetPatternCode) +
          "[HID_VID_PID]\r\n" + Entry("Hid", kHidPattern, kHidPatternCode));
    ASSERT_TRUE(flow.LoadAndPublishGroups());
    EXPECT_EQ(flow.RequestClose(), CloseAction::CloseNow);
    const std::vector<LogEntry> logged =
        ParseInstallLog(*m.files.ReadWholeFile(log, kInstallLogLimit))
            .value_or(std::vector<LogEntry>{});
    EXPECT_EQ(logged, (std::vector<LogEntry>{
                          {LogEntryKind::File, log, {}},
                          {LogEntryKind::Key, u"SOFTWARE\\QLN USB DeviceId Group", {}},
                          {LogEntryKind::Key, u"SOFTWARE\\QLN HID DeviceId Group", {}}}));
}

// With no installation whose uninstaller could take them back, what this run added goes again.
TEST_F(WizardGroups, WithoutAnInstallationTheGroupsThisRunAddedGoAgainAtTheClose) {
    m.registry.CreateKey(RegistryHive::LocalMachine, u"SOFTWARE\\QLN HID DeviceId Group");
    Write("[USB_VID_PID]\r\n" + Entry("Headset", kHeadsetPattern, kHeadsetPatternCode) +
          "[HID_VID_PID]\r\n" + Entry("Hid", kHidPattern, kHidPatternCode));
    ASSERT_TRUE(flow.LoadAndPublishGroups());
    EXPECT_EQ(flow.RequestClose(), CloseAction::CloseNow);
    EXPECT_EQ(Group(kUsbGroupName), nullptr);
    EXPECT_NE(Group(kHidGroupName), nullptr);
    EXPECT_FALSE(m.files.IsFolder(u"C:\\Program Files\\QLN Audio"));
}

TEST(WizardStart, ReadsItsVersionPlatformAndFolders) {
    SetupMachine m;
    m.system.versions[u"C:\\Media\\AudioSetupApp.exe"] = {0xFEEF04BD, 0x00010000, 0x00000007};
    m.folders.wow64 = true;
    m.system.rtl = {6, 1, 7601, 1};
    m.state.SetupVersion.clear();
    WizardFlow flow(m.ports, m.state);
    flow.Initialise(u"C:\\Media\\AudioSetupApp.exe");
    EXPECT_EQ(m.state.SetupVersion, u"1.0.0.7");
    EXPECT_TRUE(m.state.IsWow64);
    EXPECT_EQ(m.state.OsFamily, 4);
    EXPECT_EQ(m.state.ServicePackMajor, 1);
    EXPECT_EQ(m.state.Folders.SourceFolderFullPath, u"C:\\Media\\");
    EXPECT_EQ(m.state.UninstallInfo.DisplayVersion, u"1.0.0.7");
    EXPECT_TRUE(m.Traced("==> TMainForm::TMainForm\n"));
}

TEST(WizardStart, FailedVersionDetectionKeepsFamilyTwo) {
    SetupMachine m;
    m.system.rtlStatus = RTL_VERSION_NOT_FOUND;
    WizardFlow(m.ports, m.state).Initialise(u"C:\\Media\\AudioSetupApp.exe");
    EXPECT_EQ(m.state.OsFamily, 2);
    EXPECT_TRUE(m.Traced("***** Get Windows Version FAIL! *****\n"));
}

}  // namespace
