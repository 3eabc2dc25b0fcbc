// The Win32 adapters behind the installer's ports.
#pragma once

#include <windows.h>

#include "ports/PayloadResources.h"
#include "ports/ServiceControl.h"
#include "ports/SetupDevices.h"
#include "ports/SetupFiles.h"
#include "ports/SetupSystem.h"
#include "ports/ShellAndProcesses.h"
#include "ports/WizardWindow.h"

ISetupFiles& Win32SetupFiles();
// Resources of the running program's own module.
IPayloadResources& Win32PayloadResources();
IServiceControl& Win32ServiceControl();
ISetupDevices& Win32SetupDevices();
IShortcuts& Win32Shortcuts();
IProcesses& Win32Processes();
ISetupSystem& Win32SetupSystem();

// The worker's messages go to this window, which also owns the message boxes.
class WizardWindowWin32 : public IWizardWindow {
public:
    static constexpr UINT WM_SETUP_PROGRESS = WM_USER + 0x20;
    static constexpr UINT WM_SETUP_DONE = WM_USER + 0x21;

    explicit WizardWindowWin32(HWND window) : window_(window) {}

    void PostProgress(int percent) override;
    void PostDone() override;
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override;
    bool AskYesNo(const std::u16string& text, const std::u16string& caption) override;
    void BroadcastPanelExit() override;

private:
    HWND window_;
};
