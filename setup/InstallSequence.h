// The installation as the worker runs it: the preparation, the eight steps and their messages.
#pragma once

#include <cstdint>

#include "SetupContext.h"

class InstallSequence {
public:
    InstallSequence(SetupPorts& ports, SetupState& state) : ports_(ports), state_(state) {}

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
    bool FilterInterfaceOpens();

    SetupPorts& ports_;
    SetupState& state_;
};
