// The install sequence as the window sees it: messages, codes, progress and the outcome.
#include <gtest/gtest.h>

#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"

namespace {

const std::vector<int> kAllProgress = {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};

class Sequence : public ::testing::Test {
protected:
    void Run() { InstallSequence(m.ports, m.state).InstallThreadProc(); }

    SetupMachine m;
};

TEST_F(Sequence, HeadsetAbsentInstallsEverythingAndPreselectsReboot) {
    Run();
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_EQ(m.window.progress, kAllProgress);
    EXPECT_TRUE(m.window.messages.empty());
    EXPECT_EQ(m.window.done, 1);
    EXPECT_EQ(m.system.beeps, (std::vector<std::pair<uint32_t, uint32_t>>{{500, 100}}));
    // The panel is asked to exit before the service cycle and again before its file is rewritten.
    EXPECT_EQ(m.window.broadcasts, 2);
    for (int step = 1; step <= 8; ++step)
        EXPECT_TRUE(m.Traced("===== Install STEP" + std::to_string(step) + " =====\n")) << step;
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_TRUE(m.files.IsFile(u"C:\\Program Files\\QLN Audio\\AudioPanelApp.exe"));
    EXPECT_EQ(m.services.services[kServiceName].state, SERVICE_STATE_RUNNING);
    // Waits: the step-7 pause and the worker's pause before WM_SETUP_DONE, plus service polls.
    EXPECT_GE(m.system.slept, 1500u);
}

TEST_F(Sequence, OldFilterStillActiveStopsBeforeAnyChange) {
    m.devices.interfaceOpens = {true};
    Run();
    EXPECT_FALSE(m.state.InstallSucceeded);
    EXPECT_EQ(m.window.messages, std::vector<std::u16string>{u"Old driver still active."});
    EXPECT_EQ(m.window.captions, std::vector<std::u16string>{u"Install"});
    EXPECT_TRUE(m.window.progress.empty());
    EXPECT_EQ(m.window.done, 1);
    EXPECT_TRUE(m.files.log.empty());
    EXPECT_EQ(m.registry.Find(RegistryHive::LocalMachine, kRunKeyPath), nullptr);
}

TEST_F(Sequence, NewFilterNotYetActiveWarnsButSucceeds) {
    m.LoadHeadsetGroup();
    m.PlugHeadset();
    Run();
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_EQ(m.window.messages, std::vector<std::u16string>{u"Please reboot."});
    EXPECT_EQ(m.window.progress.back(), 100);
    // Restarted before the probe in item 4 and again in step 7.
    EXPECT_EQ(
        m.devices.devices[0].restarts,
        (std::vector<std::string>{"disable", "enable", "flags", "disable", "enable", "flags"}));
}

TEST_F(Sequence, NewFilterActiveAfterRestartShowsNothing) {
    m.LoadHeadsetGroup();
    m.PlugHeadset();
    m.devices.interfaceOpens = {false, true};
    Run();
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_TRUE(m.window.messages.empty());
    EXPECT_EQ(m.devices.probes,
              (std::vector<std::u16string>{kFilterInterfacePath, kFilterInterfacePath}));
}

struct StepFailure {
    const char* name;
    std::function<void(SetupMachine&)> arrange;
    const char16_t* message;
    std::vector<int> progress;
};

class FailingStep : public ::testing::TestWithParam<StepFailure> {};

TEST_P(FailingStep, ShowsWarningWithCodeAndStops) {
    SetupMachine m;
    GetParam().arrange(m);
    InstallSequence(m.ports, m.state).InstallThreadProc();
    EXPECT_FALSE(m.state.InstallSucceeded);
    EXPECT_EQ(m.window.messages, std::vector<std::u16string>{GetParam().message});
    EXPECT_EQ(m.window.captions, std::vector<std::u16string>{u"Install"});
    EXPECT_EQ(m.window.progress, GetParam().progress);
    EXPECT_TRUE(m.system.beeps.empty());
    EXPECT_EQ(m.window.done, 1);
}

const std::u16string kSys = u"C:\\Windows\\System32\\";
const std::u16string kApp = u"C:\\Program Files\\QLN Audio\\";

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FailingStep,
    ::testing::Values(
        StepFailure{"DriverKey",
                    [](SetupMachine& m) {
                        m.registry.Deny(RegistryHive::LocalMachine,
                                        u"SYSTEM\\CurrentControlSet\\Services\\UAExt");
                    },
                    u"Installation failed.(Code = 0x80000001)",
                    {1}},
        StepFailure{"DriverResource",
                    [](SetupMachine& m) {
                        m.resources.resources.erase({102, u"DRIVER"});
                    },
                    u"Installation failed.(Code = 0x80000001)",
                    {1, 10}},
        StepFailure{
            "DriverFile",
            [](SetupMachine& m) { m.files.cannotOpen.insert(kSys + u"drivers\\UAExt.sys"); },
            u"Installation failed.(Code = 0x80000001)",
            {1, 10}},
        StepFailure{"ServiceResource",
                    [](SetupMachine& m) {
                        m.resources.resources.erase({105, u"SERVICE"});
                    },
                    u"Installation failed.(Code = 0x80000002)",
                    {1, 10, 20, 30}},
        StepFailure{
            "ServiceFile",
            [](SetupMachine& m) { m.files.shortWrite.insert(kSys + u"AudioDeviceService.exe"); },
            u"Installation failed.(Code = 0x80000002)",
            {1, 10, 20, 30}},
        StepFailure{"ServiceNotStarted",
                    [](SetupMachine& m) { m.processes.createFails = true; },
                    u"Installation failed.(Code = 0x80000002)",
                    {1, 10, 20, 30, 40}},
        StepFailure{"ServiceHangs",
                    [](SetupMachine& m) { m.processes.endsInTime = false; },
                    u"Installation failed.(Code = 0x80000002)",
                    {1, 10, 20, 30, 40}},
        StepFailure{"AppResource",
                    [](SetupMachine& m) {
                        m.resources.resources.erase({107, u"APP"});
                    },
                    u"Installation failed.(Code = 0x80000003)",
                    {1, 10, 20, 30, 40, 50, 60}},
        StepFailure{"AppInUse",
                    [](SetupMachine& m) { m.files.cannotOpen.insert(kApp + u"AudioPanelApp.exe"); },
                    u"Installation failed.(Code = 0x80000003)",
                    {1, 10, 20, 30, 40, 50, 60}},
        StepFailure{
            "RunKey",
            [](SetupMachine& m) { m.registry.Deny(RegistryHive::LocalMachine, kRunKeyPath); },
            u"Installation failed.(Code = 0x80000003)",
            {1, 10, 20, 30, 40, 50, 60}},
        StepFailure{"UninstallResource",
                    [](SetupMachine& m) {
                        m.resources.resources.erase({108, u"UNINSTALL"});
                    },
                    u"Installation failed.(Code = 0x80000004)",
                    {1, 10, 20, 30, 40, 50, 60, 70}},
        StepFailure{"UninstallFile",
                    [](SetupMachine& m) { m.files.cannotOpen.insert(kApp + u"Uninstall.exe"); },
                    u"Installation failed.(Code = 0x80000004)",
                    {1, 10, 20, 30, 40, 50, 60, 70}},
        StepFailure{"WindowsPatch",
                    [](SetupMachine& m) {
                        m.state.IsWow64 = true;
                        m.state.OsFamily = 4;
                        m.state.ServicePackMajor = 1;
                        m.files.DeleteOneFile(u"C:\\Windows\\System32\\wusa.exe");
                        m.state.Texts[LabelWarning4].Text.clear();
                    },
                    u"Installation failed.(Code = 0x80000006)",
                    {1, 10, 20, 30, 40, 50, 60, 70, 80, 90}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Sequence, FailedStepLeavesEarlierStepsInPlace) {
    m.resources.resources.erase({107, u"APP"});
    Run();
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_EQ(m.services.services[kServiceName].state, SERVICE_STATE_RUNNING);
    // The install folder exists from the start, for the log of what the steps did.
    EXPECT_EQ(m.files.FilesBelow(u"C:\\Program Files\\QLN Audio"),
              std::vector<std::string>{"Install.log"});
}

TEST_F(Sequence, ManualAndFilesNeverFailTheInstallation) {
    m.files.failCopy.insert(u"C:\\Program Files\\QLN Audio\\AudioConfig.cfg");
    m.resources.resources.erase({110, u"WINDOWPATCH"});
    m.system.environment.clear();
    Run();
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_TRUE(m.window.messages.empty());
}

TEST_F(Sequence, StopRequestFinishesTheRunningStepAndRunsNoOther) {
    // The user closes the wizard while step 3 writes the panel.
    m.window.onProgress = [this](int percent) {
        if (percent == 60)
            m.state.StopRequested = true;
    };
    Run();
    EXPECT_FALSE(m.state.InstallSucceeded);
    EXPECT_TRUE(m.window.messages.empty());
    EXPECT_EQ(m.window.progress, (std::vector<int>{1, 10, 20, 30, 40, 50, 60}));
    EXPECT_TRUE(m.Traced("##### Installation stopped before STEP3 #####\n"));
    EXPECT_FALSE(m.Traced("===== Install STEP3 =====\n"));
    EXPECT_EQ(m.services.services[kServiceName].state, SERVICE_STATE_RUNNING);
    EXPECT_EQ(m.window.done, 1);
}

TEST_F(Sequence, StopRequestBeforeTheWorkerStartsChangesNothing) {
    m.state.StopRequested = true;
    Run();
    EXPECT_EQ(m.window.broadcasts, 0);
    EXPECT_TRUE(m.files.log.empty());
    EXPECT_EQ(m.window.done, 1);
}

TEST_F(Sequence, ServiceRunningBeforehandIsCycledStoppedReplacedAndStarted) {
    m.services.services[kServiceName].state = SERVICE_STATE_RUNNING;
    Run();
    const FakeService& service = m.services.services[kServiceName];
    // Item 3 sends 128 then stops; step 2 finds it stopped; the end starts it again.
    EXPECT_EQ(service.controls, (std::vector<uint32_t>{128, SERVICE_CONTROL_STOP_CODE}));
    EXPECT_EQ(service.starts, 1);
    EXPECT_EQ(service.state, SERVICE_STATE_RUNNING);
    EXPECT_EQ(m.services.openHandles, 0);
}

}  // namespace
