// The uninstaller carried as the installer's "UNINSTALL" payload. Started by the user from the
// install folder it asks, copies itself to the temporary folder and hands over to the copy; the
// copy waits for the first run to end, removes the installation, the first program's file and
// the install folder, and has itself deleted at the next restart.
#include <windows.h>

#include <string>

#include "AudioConfig.h"
#include "DllSearchPath.h"
#include "SetupNames.h"
#include "SetupPortsWin32.h"
#include "UninstallSequence.h"
#include "UninstallerArguments.h"
#include "WideText.h"

namespace {

constexpr wchar_t kCaption[] = L"Uninstall";

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? U16(path, length) : std::u16string();
}

std::u16string FolderOf(const std::u16string& path) {
    return path.substr(0, path.rfind(u'\\') + 1);
}

// The user's run: 0 when the copy took over or the user declined.
int AskAndHandOver(const std::u16string& ownPath) {
    _APPLICATION_FOLDER_PATH folders;
    LoadAudioConfig(kConfigFileName, ownPath, folders);
    const std::u16string question =
        u"Remove " + folders.UninstallDisplayName + u" and all of its components?";
    if (MessageBoxW(nullptr, W(question), kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;

    wchar_t tempFolder[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, tempFolder);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::string id = std::to_string(GetCurrentProcessId());
    const std::u16string copy = U16(tempFolder, length) + u"QLN47xxUninstall-" +
                                std::u16string(id.begin(), id.end()) + u".exe";
    if (!CopyFileW(W(ownPath), W(copy), FALSE))
        return 2;
    std::u16string commandLine =
        u"\"" + copy + u"\" " + RemovalRunArguments(GetCurrentProcessId(), ownPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(W(copy), reinterpret_cast<wchar_t*>(&commandLine[0]), nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &info))
        return 3;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
}

// The copy's run.
int Remove(const RemovalRun& run, const std::u16string& ownPath) {
    if (HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, run.parentProcessId)) {
        WaitForSingleObject(parent, 30000);
        CloseHandle(parent);
    }

    SetupState state;
    LoadAudioConfig(kConfigFileName, run.installedUninstaller, state.Folders);
    // Without the group no device is touched; everything else is still removed.
    state.UsbDeviceIds.LoadGroup(FolderOf(run.installedUninstaller) + kConfigFileName,
                                 u"USB_VID_PID");
    state.IsWow64 = PlatformSystemFolders().IsWow64Process();

    WizardWindowWin32 window(nullptr);
    SetupPorts ports{PlatformRegistry(),  Win32ServiceControl(),
                     Win32SetupFiles(),   Win32PayloadResources(),
                     Win32SetupDevices(), Win32Shortcuts(),
                     Win32Processes(),    PlatformSystemFolders(),
                     Win32SetupSystem(),  window};
    UninstallSequence(ports, state).Uninstall();

    DeleteFileW(W(run.installedUninstaller));
    std::u16string installFolder = FolderOf(run.installedUninstaller);
    if (!installFolder.empty())
        installFolder.pop_back();
    RemoveDirectoryW(W(installFolder));
    MoveFileExW(W(ownPath), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t* commandLine, int) {
    RestrictDllSearchToSystem();
    const std::u16string ownPath = OwnPath();
    if (ownPath.empty())
        return 1;
    if (const std::optional<RemovalRun> run = ParseRemovalRun(U16(commandLine)))
        return Remove(*run, ownPath);
    return AskAndHandOver(ownPath);
}
