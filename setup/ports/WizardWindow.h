// Port: how the worker reaches the wizard window and the other programs' windows.
#pragma once

#include <string>

class IWizardWindow {
public:
    virtual ~IWizardWindow() = default;

    // PostMessageW(WM_SETUP_PROGRESS, percent).
    virtual void PostProgress(int percent) = 0;
    // PostMessageW(WM_SETUP_DONE).
    virtual void PostDone() = 0;
    // A modal MB_OK message box owned by the wizard window.
    virtual void ShowMessage(const std::u16string& text, const std::u16string& caption) = 0;
    // A modal MB_YESNO question owned by the wizard window: true for Yes.
    virtual bool AskYesNo(const std::u16string& text, const std::u16string& caption) = 0;
    // SendMessageTimeoutW(HWND_BROADCAST, "WM_QLN47xxAPP_EXIT", SMTO_NORMAL, 100 ms).
    virtual void BroadcastPanelExit() = 0;
};
