#include "WizardFlow.h"

#include "DebugTrace.h"
#include "InstallRecorder.h"
#include "SetupExitCodes.h"
#include "SetupNames.h"
#include "SetupOperations.h"

void WizardFlow::Initialise(const std::u16string& programPath) {
    DebugOutput(u"\n");
    TraceEntry(u"TMainForm::TMainForm");
    ReadFileVersion(ports_.system, programPath, state_.SetupVersion);
    state_.IsWow64 = ports_.folders.IsWow64Process();
    state_.OsFamily = 2;
    if (GetWindowsVersion(ports_.system, state_.OsFamily, state_.ServicePackMajor) != 0)
        DebugOutput(u"***** Get Windows Version FAIL! *****\n");
    LoadAudioConfig(kConfigFileName, programPath, state_.Folders, ports_.folders);
    state_.UninstallInfo = MakeUninstallInfo(state_.Folders, state_.SetupVersion);
    state_.InstallSucceeded = false;
}

bool WizardFlow::LoadAndPublishGroups() {
    const std::u16string config = state_.Folders.SourceFolderFullPath + kConfigFileName;
    if (state_.UsbDeviceIds.LoadGroup(config, u"USB_VID_PID") != 0) {
        DebugOutput(u"***** Device-ID group USB_VID_PID not loaded: the installer ends *****\n");
        exitCode_ = SETUP_EXIT_FAILED;
        return false;
    }
    PublishGroup(state_.UsbDeviceIds, kUsbGroupName);
    if (state_.HidDeviceIds.LoadGroup(config, u"HID_VID_PID") != 0) {
        DebugOutput(u"***** Device-ID group HID_VID_PID not loaded: the installer ends *****\n");
        exitCode_ = SETUP_EXIT_FAILED;
        return false;
    }
    PublishGroup(state_.HidDeviceIds, kHidGroupName);
    return true;
}

void WizardFlow::PublishGroup(CDeviceIdMgr& group, const char16_t* name) {
    const std::u16string key = u"SOFTWARE\\" + std::u16string(name);
    if (!ports_.registry.OpenKey(RegistryHive::LocalMachine, key, RegistryView::Default,
                                 RegistryAccess::Read))
        createdKeys_.push_back(key);
    SaveGroupToRegistry(group, name, ports_.registry);
    publishedKeys_.push_back(key);
}

void WizardFlow::SettlePublishedGroups() {
    const std::u16string logPath = state_.Folders.InstallFolderFullPath + kInstallLogName;
    const auto bytes = ports_.files.ReadWholeFile(logPath, kInstallLogLimit);
    if (bytes && ParseInstallLog(*bytes)) {
        InstallRecorder recorder(ports_.files, ports_.shortcuts);
        recorder.Open(logPath);
        for (const std::u16string& key : publishedKeys_)
            recorder.Record({LogEntryKind::Key, key, {}});
    } else {
        // No uninstaller could ever take them back.
        for (const std::u16string& key : createdKeys_)
            ports_.registry.DeleteKey(RegistryHive::LocalMachine, key);
    }
    publishedKeys_.clear();
    createdKeys_.clear();
}

WizardButtons WizardFlow::Buttons() const {
    WizardButtons buttons;
    switch (phase_) {
        case WizardPhase::Choosing:
            buttons.next = {true, true};
            buttons.finish = {true, false};
            buttons.cancel = {true, true};
            break;
        case WizardPhase::Installing:
            buttons.next = {true, false};
            buttons.finish = {true, false};
            // Disabled once the user asked to stop: the request is already on its way.
            buttons.cancel = {true, !endAfterWorker_};
            break;
        case WizardPhase::Done:
            buttons.finish = {true, true};
            break;
    }
    return buttons;
}

WizardControl WizardFlow::DefaultButton() const {
    return phase_ == WizardPhase::Done ? WizardControl::Finish : WizardControl::Next;
}

WizardControl WizardFlow::FocusOnShow() const {
    switch (phase_) {
        case WizardPhase::Choosing:
            return WizardControl::Next;
        case WizardPhase::Installing:
            // Once a stop was asked for, nothing on the page takes input.
            return Buttons().cancel.enabled ? WizardControl::Cancel : WizardControl::None;
        case WizardPhase::Done:
            return rebootChecked_ ? WizardControl::RebootChoice : WizardControl::NoRebootChoice;
    }
    return WizardControl::None;
}

bool WizardFlow::Next() {
    if (phase_ != WizardPhase::Choosing)
        return false;
    phase_ = WizardPhase::Installing;
    return true;
}

bool WizardFlow::Done() {
    if (state_.InstallSucceeded)
        exitCode_ = state_.RestartNeeded ? SETUP_EXIT_RESTART_NEEDED : SETUP_EXIT_DONE;
    else
        exitCode_ = state_.StopRequested ? SETUP_EXIT_CANCELLED : SETUP_EXIT_FAILED;
    if (endAfterWorker_)
        return true;
    phase_ = WizardPhase::Done;
    // NoRebootRadioButton is the default; only success preselects the reboot.
    if (state_.InstallSucceeded)
        rebootChecked_ = true;
    return false;
}

void WizardFlow::Finish() {
    if (phase_ != WizardPhase::Done)
        return;
    if (rebootChecked_) {
        if (state_.InstallSucceeded)
            exitCode_ = SETUP_EXIT_RESTART_INITIATED;
        ports_.system.Reboot();
        return;
    }
    // Refused for an installation elsewhere: there is no panel here to start.
    if (!state_.OtherInstallationFolder.empty())
        return;
    // Never with the installer's administrator token: the panel's file dialogs and profile
    // would be the administrator's. Without a desktop shell the Run value starts it at log-on.
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    if (!ports_.processes.OpenAsDesktopUser(f.InstallFolderFullPath + f.APPFileName + u".exe"))
        DebugOutput(u"***** Start the panel as the desktop user FAIL! *****\n");
}

void WizardFlow::FinishQuietly() {
    if (phase_ != WizardPhase::Done)
        return;
    // Only a restart the installation needs: the end page's preselection is for a person.
    rebootChecked_ = state_.InstallSucceeded && state_.RestartNeeded && !state_.Options.noRestart;
    if (state_.InstallSucceeded)
        Finish();
}

CloseAction WizardFlow::RequestClose() {
    if (phase_ == WizardPhase::Choosing)
        SettlePublishedGroups();
    if (phase_ != WizardPhase::Installing)
        return CloseAction::CloseNow;
    if (endAfterWorker_)
        return CloseAction::EndAfterWorker;
    // Ending now could cut a file or a registry value off half-written. Without message boxes
    // the request stands, as a Yes.
    if (!state_.Options.MessageBoxesSuppressed() &&
        !ports_.window.AskYesNo(kStopQuestion, kMessageCaption))
        return CloseAction::Ignore;
    endAfterWorker_ = true;
    state_.StopRequested = true;
    return CloseAction::EndAfterWorker;
}
