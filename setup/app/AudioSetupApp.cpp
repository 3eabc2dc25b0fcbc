// AudioSetupApp's entry: the background window first (the main window), then the wizard on it.
// The command line may ask for a silent run, a language and a log (see setup/README.md); without
// it nothing differs. The exit code tells deployment tools the outcome.
#include <windows.h>

#include <commctrl.h>

#include "BackgroundForm.h"
#include "DebugTrace.h"
#include "DllSearchPath.h"
#include "MainForm.h"
#include "SetupExitCodes.h"
#include "SetupLogFileWin32.h"
#include "SetupMessagesWin32.h"
#include "SetupMutexWin32.h"
#include "WideText.h"

namespace {

constexpr char16_t kCaption[] = u"Install";

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? U16(path, length) : std::u16string();
}

std::u16string Decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

uint32_t Ended(uint32_t code) {
    DebugOutput(u"##### AudioSetupApp ends with exit code " + Decimal(code) + u" #####\n");
    return code;
}

uint32_t Run(HINSTANCE instance, const SetupOptions& options) {
    if (!options.error.empty()) {
        TellAdministrator(options, options.error + u"\n\n" + SetupUsage(SetupProgram::Installer),
                          kCaption, true);
        return Ended(SETUP_EXIT_BAD_COMMAND_LINE);
    }
    if (options.help) {
        TellAdministrator(options, SetupUsage(SetupProgram::Installer), kCaption, false);
        return Ended(SETUP_EXIT_DONE);
    }
    SetupRunningMutex running;
    if (!running.Acquire()) {
        TellAdministrator(options,
                          u"Another installation or removal of this product is running. Try "
                          u"again when it has ended.",
                          kCaption, true);
        return Ended(SETUP_EXIT_ANOTHER_RUNNING);
    }

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
        return Ended(SETUP_EXIT_FAILED);

    TBackgroundForm background(instance, Win32SetupSystem(), programPath);
    if (!background.Create())
        return Ended(SETUP_EXIT_FAILED);
    TMainForm wizard(instance, background);
    if (!wizard.Create(programPath, options))
        return Ended(SETUP_EXIT_FAILED);
    // A silent run shows the progress window alone, a very silent one nothing at all.
    if (options.Quiet())
        wizard.Show();
    else
        background.Show([&wizard] { wizard.Show(); });

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (wizard.PreTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return Ended(wizard.ExitCode());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t* commandLine, int) {
    // Before anything loads a DLL: the installer often runs from a downloads folder.
    RestrictDllSearchToSystem();
    const std::u16string arguments = commandLine ? U16(commandLine) : std::u16string();
    const SetupOptions options = ParseSetupCommandLine(arguments, SetupProgram::Installer);
    SetupLogFile log;
    if (!options.logPath.empty() && !log.Open(options.logPath)) {
        TellAdministrator(options, u"The log file " + options.logPath + u" cannot be written.",
                          kCaption, true);
        return static_cast<int>(SETUP_EXIT_BAD_COMMAND_LINE);
    }
    DebugOutput(u"##### AudioSetupApp started: " + arguments + u" #####\n");
    return static_cast<int>(Run(instance, options));
}
