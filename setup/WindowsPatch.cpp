#include "SetupOperations.h"

#include "SetupNames.h"
#include "Wow64Redirection.h"

namespace {

constexpr const char16_t* kServicingStore =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\Packages";

int32_t FamilyOf(uint32_t major, uint32_t minor) {
    if (major == 4)
        return 0;
    if (major == 5)
        return 2;
    if (major == 6 && minor == 0)
        return 3;
    if (major == 6 && minor == 1)
        return 4;
    if (major == 6 && (minor == 2 || minor == 3))
        return 5;
    if (major == 10)
        return 6;
    return -1;
}

}  // namespace

uint32_t GetWindowsVersion(ISetupSystem& system, int32_t& osFamily, int32_t& servicePackMajor) {
    RtlVersion version;
    const int status = system.GetRtlVersion(version);
    if (status != RTL_VERSION_OK)
        return static_cast<uint32_t>(status);
    osFamily = FamilyOf(version.major, version.minor);
    servicePackMajor = version.servicePackMajor;
    return 0;
}

bool IsWindowsUpdateInstalled(IRegistry& registry, const std::u16string& updateName) {
    // The 64-bit view: the 32-bit installer must see the native servicing store.
    std::unique_ptr<IRegistryKey> key = registry.OpenKey(
        RegistryHive::LocalMachine, kServicingStore, RegistryView::Native64, RegistryAccess::Read);
    if (!key)
        return false;
    const std::optional<uint32_t> count = key->SubKeyCount();
    if (!count || *count == 0)
        return false;
    const std::u16string prefix = u"Package_for_" + updateName + u"~";
    for (uint32_t index = 0; index < *count; ++index) {
        const std::optional<std::u16string> name = key->SubKeyName(index);
        if (!name || name->size() < prefix.size())
            continue;
        if (name->compare(0, prefix.size(), prefix) == 0)
            return true;
    }
    return false;
}

UpdateOutcome InstallUpdatePackage(IProcesses& processes, ISetupFiles& files,
                                   ISystemFolders& folders, bool isWow64,
                                   const std::u16string& systemDirectory,
                                   const std::u16string& package, uint32_t* exitCode) {
    // Nothing to open, as when the package could not be written.
    if (!files.List(package))
        return UpdateOutcome::NotStarted;
    // By its full path, not through the file type: an elevated shell open follows the user's
    // own HKCU\Software\Classes, which any program of the user's can point anywhere.
    const std::u16string command =
        QuotedPath(systemDirectory + kUpdateInstallerName) + u" " + QuotedPath(package);
    std::unique_ptr<IProcessHandle> process;
    {
        // The 64-bit one: the package is for 64-bit Windows.
        ScopedRedirectionOff redirection(folders, isWow64);
        process = processes.Create(command);
    }
    if (!process)
        return UpdateOutcome::NotStarted;
    process->Wait(WAIT_FOREVER);
    const std::optional<uint32_t> code = process->ExitCode();
    if (!code)
        return UpdateOutcome::Failed;
    if (exitCode)
        *exitCode = *code;
    switch (*code) {
        case 0:
            return UpdateOutcome::Installed;
        case UPDATE_RESTART_NEEDED:
        case UPDATE_REBOOT_REQUIRED:
            return UpdateOutcome::RestartNeeded;
        case UPDATE_ALREADY_INSTALLED:
            return UpdateOutcome::AlreadyInstalled;
        case UPDATE_NOT_APPLICABLE:
            return UpdateOutcome::NotApplicable;
        default:
            return UpdateOutcome::Failed;
    }
}
