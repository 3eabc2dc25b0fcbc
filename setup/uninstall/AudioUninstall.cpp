// The uninstaller carried as the installer's "UNINSTALL" payload. It runs where it was installed
// (never as a copy in a folder the user can write to): it asks, removes what the install log
// beside it lists, and has Windows delete its own file and folder at the next restart.
// "/SILENT" or "/VERYSILENT" removes without asking and shows nothing; "/LOG" writes what it does
// to a file; the exit code tells the outcome.
#include <windows.h>

#include <string>

#include "AudioConfig.h"
#include "DebugTrace.h"
#include "DllSearchPath.h"
#include "SetupExitCodes.h"
#include "SetupLogFileWin32.h"
#include "SetupMessagesWin32.h"
#include "SetupMutexWin32.h"
#include "SetupNames.h"
#include "SetupPortsWin32.h"
#include "UninstallSequence.h"
#include "WideText.h"

namespace {

constexpr char16_t kCaption[] = u"Uninstall";

enum ExitCode : int {
    EXIT_REMOVED = 0,
    EXIT_DECLINED = 1,
    EXIT_NO_PATH = 2,
    EXIT_SOME_LEFT = 10,
    EXIT_NO_LOG = 11,
    EXIT_DAMAGED_LOG = 12,
};

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? U16(path, length) : std::u16string();
}

std::u16string OutcomeText(UninstallOutcome outcome, const std::u16string& product,
                           const std::u16string& folder) {
    switch (outcome) {
        case UninstallOutcome::Removed:
            return product + u" has been removed. Its folder goes at the next restart.";
        case UninstallOutcome::SomeLeft:
            return u"Some parts of " + product +
                   u" could not be removed. Restart Windows and run the uninstaller again.";
        case UninstallOutcome::NoLog:
            return u"The install log is missing in " + folder + u". Nothing was removed.";
        case UninstallOutcome::DamagedLog:
            return u"The install log in " + folder + u" is damaged. Nothing was removed.";
    }
    return {};
}

int ExitCodeOf(UninstallOutcome outcome) {
    switch (outcome) {
        case UninstallOutcome::Removed:
            return EXIT_REMOVED;
        case UninstallOutcome::SomeLeft:
            return EXIT_SOME_LEFT;
        case UninstallOutcome::NoLog:
            return EXIT_NO_LOG;
        case UninstallOutcome::DamagedLog:
            return EXIT_DAMAGED_LOG;
    }
    return EXIT_SOME_LEFT;
}

std::u16string Decimal(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

int Ended(int code) {
    DebugOutput(u"##### AudioUninstall ends with exit code " + Decimal(code) + u" #####\n");
    return code;
}

int Run(const SetupOptions& options);

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t* commandLine, int) {
    RestrictDllSearchToSystem();
    const std::u16string arguments = commandLine ? U16(commandLine) : std::u16string();
    SetupOptions options = ParseSetupCommandLine(arguments, SetupProgram::Uninstaller);
    // A quiet run shows nothing at all here, not even an error: the exit code tells it.
    options.suppressMessageBoxes = true;
    SetupLogFile log;
    if (!options.logPath.empty() && !log.Open(options.logPath)) {
        TellAdministrator(options, u"The log file " + options.logPath + u" cannot be written.",
                          kCaption, true);
        return static_cast<int>(SETUP_EXIT_BAD_COMMAND_LINE);
    }
    DebugOutput(u"##### AudioUninstall started: " + arguments + u" #####\n");
    return Run(options);
}

namespace {

int Run(const SetupOptions& options) {
    if (!options.error.empty()) {
        TellAdministrator(options, options.error + u"\n\n" + SetupUsage(SetupProgram::Uninstaller),
                          kCaption, true);
        return Ended(static_cast<int>(SETUP_EXIT_BAD_COMMAND_LINE));
    }
    if (options.help) {
        TellAdministrator(options, SetupUsage(SetupProgram::Uninstaller), kCaption, false);
        return Ended(EXIT_REMOVED);
    }
    SetupRunningMutex running;
    if (!running.Acquire()) {
        TellAdministrator(options,
                          u"An installation or removal of this product is running. Try again "
                          u"when it has ended.",
                          kCaption, true);
        return Ended(static_cast<int>(SETUP_EXIT_ANOTHER_RUNNING));
    }
    const std::u16string ownPath = OwnPath();
    if (ownPath.empty())
        return Ended(EXIT_NO_PATH);
    const bool silent = options.Quiet();
    const std::u16string folder = ownPath.substr(0, ownPath.rfind(u'\\'));

    // The configuration gives only the product's name and device group, never a path to remove.
    SetupState state;
    LoadAudioConfig(kConfigFileName, ownPath, state.Folders);
    const std::u16string product = state.Folders.UninstallDisplayName.empty()
                                       ? std::u16string(u"this product")
                                       : state.Folders.UninstallDisplayName;
    if (!silent) {
        const std::u16string question = u"Remove " + product + u" and all of its components?";
        if (MessageBoxW(nullptr, W(question), W(std::u16string(kCaption)),
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
            return Ended(EXIT_DECLINED);
    }
    // Without the group no device is touched; the log's entries are still removed.
    state.UsbDeviceIds.LoadGroup(folder + u"\\" + kConfigFileName, u"USB_VID_PID");
    state.IsWow64 = PlatformSystemFolders().IsWow64Process();

    WizardWindowWin32 window(nullptr);
    SetupPorts ports{PlatformRegistry(),  Win32ServiceControl(),
                     Win32SetupFiles(),   Win32PayloadResources(),
                     Win32SetupDevices(), Win32Shortcuts(),
                     Win32Processes(),    PlatformSystemFolders(),
                     Win32SetupSystem(),  window};
    const UninstallOutcome outcome = UninstallSequence(ports, state).Uninstall(ownPath);
    const std::u16string outcomeText = OutcomeText(outcome, product, folder);
    DebugOutput(u"##### " + outcomeText + u" #####\n");
    if (!silent)
        MessageBoxW(
            nullptr, W(outcomeText), W(std::u16string(kCaption)),
            MB_OK | (outcome == UninstallOutcome::Removed ? MB_ICONINFORMATION : MB_ICONWARNING));
    return Ended(ExitCodeOf(outcome));
}

}  // namespace
