// The installation as the worker runs it: the preparation, the eight steps and their messages.
#pragma once

#include <cstdint>

#include "InstallRecorder.h"
#include "SetupContext.h"

class InstallSequence {
public:
    // The steps write files and shortcuts through the recorder, which keeps the install log.
    InstallSequence(SetupPorts& ports, SetupState& state)
        : recorder_(ports.files, ports.shortcuts),
          ports_{ports.registry, ports.services,  recorder_,     ports.resources, ports.devices,
                 recorder_,      ports.processes, ports.folders, ports.system,    ports.window},
          state_(state) {}

    // The worker thread's whole job: the installation, a short pause, then WM_SETUP_DONE.
    void InstallThreadProc();
    void Install();

    uint32_t Install_FilterDriver();
    uint32_t Install_Service();
    uint32_t Install_App();
    uint32_t Install_Uninstaller();
    uint32_t Install_Files();
    uint32_t Install_Manual();
    uint32_t Copy_KB3033929();
    uint32_t Install_KB3033929();

private:
    bool StopRequested(int nextStep);
    void ReportFailure(const std::u16string& codeText);
    // A failure's message: a message box, unless a silent run suppresses them.
    void ShowError(const std::u16string& text);
    // A notice the installation goes on after: not shown in a silent run.
    void ShowNotice(const std::u16string& text);
    void EndRunningPanel();
    bool FilterInterfaceOpens();
    bool NamesUsable();
    bool NotInstalledElsewhere();
    void StartInstallLog();
    // The table's values of this step (InstalledArtefacts.h), listed in the log as they are
    // written; the first failure result of a key that cannot be opened, else 0.
    uint32_t WriteRegistryValues(int step);

    InstallRecorder recorder_;
    SetupPorts ports_;
    SetupState& state_;
};
