// AudioSetupApp's entry: the background window first (the main window), then the wizard on it.
#include <windows.h>

#include <commctrl.h>

#include "BackgroundForm.h"
#include "DllSearchPath.h"
#include "MainForm.h"
#include "WideText.h"

namespace {

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? U16(path, length) : std::u16string();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int) {
    // Before anything loads a DLL: the installer often runs from a downloads folder.
    RestrictDllSearchToSystem();
    // Not a KnownDLL; the manifest's Common-Controls 6 takes precedence over the system folder.
    const SystemLibrary commonControls(L"comctl32.dll");
    const auto initControls =
        commonControls.Get<decltype(&InitCommonControlsEx)>("InitCommonControlsEx");
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    if (initControls)
        initControls(&controls);
    const std::u16string programPath = OwnPath();
    if (programPath.empty())
        return 1;

    TBackgroundForm background(instance, Win32SetupSystem(), programPath);
    if (!background.Create())
        return 1;
    TMainForm wizard(instance, background);
    if (!wizard.Create(programPath))
        return 1;
    background.Show([&wizard] { wizard.Show(); });

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (wizard.PreTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
