#include "InstallSequence.h"

#include <string>
#include <vector>

#include "ConfigNames.h"
#include "DebugTrace.h"
#include "DeviceRestart.h"
#include "InstalledArtefacts.h"
#include "OtherInstallations.h"
#include "PanelExit.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

std::u16string StepTrace(int step) {
    return u"===== Install STEP" + std::u16string(1, static_cast<char16_t>(u'0' + step)) +
           u" =====\n";
}

std::u16string CodeText(int code) {
    return u"(Code = 0x8000000" + std::u16string(1, static_cast<char16_t>(u'0' + code)) + u")";
}

std::u16string StepResultTrace(int step, uint32_t result) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string hex;
    for (int shift = 28; shift >= 0; shift -= 4)
        hex += digits[(result >> shift) & 0xF];
    return u"===== Install STEP" + std::u16string(1, static_cast<char16_t>(u'0' + step)) +
           u" result 0x" + hex + u" =====\n";
}

}  // namespace

void InstallSequence::InstallThreadProc() {
    Install();
    ports_.system.Sleep(500);
    ports_.window.PostDone();
}

bool InstallSequence::StopRequested(int nextStep) {
    if (!state_.StopRequested.load())
        return false;
    DebugOutput(u"##### Installation stopped before STEP" +
                std::u16string(1, static_cast<char16_t>(u'0' + nextStep)) + u" #####\n");
    return true;
}

void InstallSequence::ReportFailure(const std::u16string& codeText) {
    ShowError(state_.Texts[LabelWarning2].Text + codeText);
}

void InstallSequence::ShowError(const std::u16string& text) {
    if (state_.Options.MessageBoxesSuppressed())
        DebugOutput(u"##### Message not shown \"" + std::u16string(kMessageCaption) + u"\": " +
                    text + u" #####\n");
    else
        ports_.window.ShowMessage(text, kMessageCaption);
}

void InstallSequence::ShowNotice(const std::u16string& text) {
    if (state_.Options.Quiet())
        DebugOutput(u"##### Notice not shown \"" + std::u16string(kMessageCaption) + u"\": " +
                    text + u" #####\n");
    else
        ports_.window.ShowMessage(text, kMessageCaption);
}

void InstallSequence::EndRunningPanel() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    EndRunningPanels(ports_.window, ports_.processes,
                     {f.InstallFolderFullPath + f.APPFileName + u".exe"});
}

bool InstallSequence::FilterInterfaceOpens() {
    return ports_.devices.CanOpenInterface(kFilterInterfacePath);
}

bool InstallSequence::NamesUsable() {
    std::u16string language;
    ports_.system.ReadProfile(state_.Folders.SourceFolderFullPath + kConfigFileName, u"Language",
                              u"DefaultLanguage", language);
    const std::optional<std::u16string> problem = FindUnusableConfigName(state_.Folders, language);
    if (!problem)
        return true;
    DebugOutput(u"***** " + *problem + u" *****\n");
    ShowError(*problem);
    return false;
}

bool InstallSequence::NotInstalledElsewhere() {
    // A second installation would take over the driver, the service and the uninstall entry,
    // and the first one's uninstaller would then remove them from under it.
    const std::vector<OtherInstallation> others = FindOtherInstallations(
        ports_.registry, ports_.files, state_.IsWow64, state_.Folders.InstallFolderFullPath);
    if (others.empty())
        return true;
    state_.OtherInstallationFolder = others.front().folder;
    DebugOutput(u"***** Installed in another folder: " + state_.OtherInstallationFolder +
                u" *****\n");
    const std::u16string& text = state_.Texts[LabelWarning5].Text;
    ShowError((text.empty() ? kInstalledElsewhereText : text) + u"\n" +
              state_.OtherInstallationFolder);
    return false;
}

void InstallSequence::StartInstallLog() {
    const std::u16string& install = state_.Folders.InstallFolderFullPath;
    ports_.files.CreateFolder(install);
    recorder_.Open(install + kInstallLogName);
    // Published by the wizard before the installation began.
    for (const InstalledKey* group : {&kUsbGroupKey, &kHidGroupKey})
        recorder_.Record({LogEntryKind::Key, group->path, {}});
}

void InstallSequence::Install() {
    TraceEntry(u"TMainForm::Install");
    if (StopRequested(1))
        return;
    if (!NamesUsable() || !NotInstalledElsewhere())
        return;
    // Only the service program this installer carries is run to restart devices.
    if (const auto service = LoadPayload(
            ports_.resources, state_.IsWow64 ? RES_SERVICE_64 : RES_SERVICE_32, u"SERVICE"))
        state_.ServiceProgramHash = ContentHash(service->data, service->size);
    EndRunningPanel();
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 0);
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 128);
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 1);

    std::vector<std::u16string> unbound;
    if (RemoveUpperFilter(ports_.devices, MEDIA_CLASS_GUID, kFilterName, &unbound) != 1)
        RestartDevices(ports_, state_, unbound);
    if (FilterInterfaceOpens()) {
        // The old filter is still loaded: replacing its file now would fail or confuse it.
        ShowError(state_.Texts[LabelWarning1].Text);
        return;
    }
    StartInstallLog();
    ports_.window.PostProgress(1);

    using Step = uint32_t (InstallSequence::*)();
    const Step steps[] = {&InstallSequence::Install_FilterDriver, &InstallSequence::Install_Service,
                          &InstallSequence::Install_App, &InstallSequence::Install_Uninstaller,
                          &InstallSequence::Install_Files};
    for (int step = 1; step <= 5; ++step) {
        if (StopRequested(step))
            return;
        DebugOutput(StepTrace(step));
        const Step run = steps[step - 1];
        const uint32_t result = (this->*run)();
        DebugOutput(StepResultTrace(step, result));
        if (result != 0) {
            ReportFailure(CodeText(step));
            return;
        }
    }

    if (StopRequested(6))
        return;
    DebugOutput(StepTrace(6));
    DebugOutput(StepResultTrace(6, Install_Manual()));

    if (StopRequested(7))
        return;
    DebugOutput(StepTrace(7));
    ports_.system.Sleep(1000);
    RestartDevices(ports_, state_, {});
    if (FindPresentDevice(MEDIA_CLASS_GUID, kHardwareIdPattern, state_.UsbDeviceIds, nullptr,
                          ports_.devices) &&
        !FilterInterfaceOpens()) {
        // The new filter loads when Windows starts again.
        state_.RestartNeeded = true;
        ShowNotice(state_.Texts[LabelWarning3].Text);
    }
    // A warning at most: the step itself does not fail.
    DebugOutput(StepResultTrace(7, 0));

    if (StopRequested(8))
        return;
    DebugOutput(StepTrace(8));
    const uint32_t update = Install_KB3033929();
    DebugOutput(StepResultTrace(8, update));
    if (update != 0) {
        ReportFailure(CodeText(6));
        return;
    }

    state_.InstallSucceeded = true;
    ports_.window.PostProgress(100);
    ports_.system.Beep(500, 100);
}
