#include <windows.h>

#include "DebugTrace.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

void WizardWindowWin32::PostProgress(int percent) {
    PostMessageW(window_, WM_SETUP_PROGRESS, static_cast<WPARAM>(percent), 0);
}

void WizardWindowWin32::PostDone() {
    PostMessageW(window_, WM_SETUP_DONE, 0, 0);
}

void WizardWindowWin32::ShowMessage(const std::u16string& text, const std::u16string& caption) {
    // The trace keeps what the user was told, for support and for the end-to-end test.
    DebugOutput(u"##### Message box \"" + caption + u"\": " + text + u" #####\n");
    MessageBoxW(window_, W(text), W(caption), MB_OK);
}

bool WizardWindowWin32::AskYesNo(const std::u16string& text, const std::u16string& caption) {
    return MessageBoxW(window_, W(text), W(caption), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void WizardWindowWin32::BroadcastPanelExit() {
    const UINT message = RegisterWindowMessageW(L"WM_QLN47xxAPP_EXIT");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_NORMAL, 100, &result);
}
