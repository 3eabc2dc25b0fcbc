#include "UninstallSequence.h"

#include <vector>

#include "DebugTrace.h"
#include "DeviceRestart.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "Wow64Redirection.h"

void UninstallSequence::Uninstall() {
    TraceEntry(u"Uninstall");
    // A running panel holds its program file open.
    ports_.window.BroadcastPanelExit();
    RemoveService();
    RemoveDriver();
    RemoveProgramFiles();
    RemoveShortcuts();
    RemoveRegistryEntries();
}

void UninstallSequence::RemoveService() {
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 1);
    std::unique_ptr<IServiceManagerHandle> manager = ports_.services.OpenManager();
    std::unique_ptr<IServiceHandle> service =
        manager ? manager->OpenNamedService(kServiceName) : nullptr;
    if (!service || !service->Delete())
        DebugOutput(u"***** Delete service FAIL! *****\n");
}

void UninstallSequence::RemoveDriver() {
    // The binding goes first, so that no device stack still loads the driver being removed.
    std::vector<std::u16string> unbound;
    const uint32_t unbinding =
        RemoveUpperFilter(ports_.devices, MEDIA_CLASS_GUID, kFilterName, &unbound);
    if (unbinding != 1)
        RestartDevices(ports_, state_, unbound);
    // A device still bound to a deleted driver would not start any more.
    const bool driverUnbound = unbinding == 0;
    if (!driverUnbound)
        DebugOutput(u"##### A device may still list the filter: driver kept #####\n");
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    {
        ScopedRedirectionOff redirection(ports_.folders, state_.IsWow64);
        if (driverUnbound)
            RemoveFile(f.SystemDirectory + u"drivers\\" + kFilterName + u".sys");
        RemoveFile(f.SystemDirectory + kServiceName + u".exe");
    }
    if (driverUnbound)
        RemoveKeyTree(u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(kFilterName));
    RemoveFile(f.SystemFolder + kPatchFileName);
}

void UninstallSequence::RemoveProgramFiles() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    const std::u16string& install = f.InstallFolderFullPath;
    RemoveFile(install + f.APPFileName + u".exe");
    RemoveFile(install + kConfigFileName);
    RemoveFile(install + f.InstallIconFileName);
    RemoveTree(install + f.SkinFolderName);
    RemoveTree(install + f.LanguageFolderName);
    RemoveTree(install + u"Manual");

    // The per-user folder keeps LastProfile.ini, the user's own state: only the copy goes.
    const std::optional<std::u16string> appData = ports_.system.GetEnvironment(u"APPDATA");
    if (appData && !appData->empty()) {
        const std::u16string userFolder = *appData + u"\\" + f.InstallFolderName;
        RemoveFile(userFolder + u"\\" + kConfigFileName);
        ports_.files.RemoveFolder(userFolder);
    }
}

void UninstallSequence::RemoveShortcuts() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    const std::u16string folder =
        ports_.shortcuts.CommonProgramsFolder() + u"\\" + f.ShortcutFolderName;
    for (const std::u16string& name :
         {f.AppShortcutName, f.UninstallShortcutName, f.UserManualShortcutName})
        RemoveFile(folder + u"\\" + name + u".lnk");
    ports_.files.RemoveFolder(folder);
}

void UninstallSequence::RemoveRegistryEntries() {
    if (std::unique_ptr<IRegistryKey> run =
            ports_.registry.OpenKey(RegistryHive::LocalMachine, kRunKeyPath))
        run->DeleteValue(state_.Folders.APPFileName);
    RemoveKeyTree(kUninstallKeyPath);
    RemoveKeyTree(u"SOFTWARE\\" + std::u16string(kUsbGroupName));
    RemoveKeyTree(u"SOFTWARE\\" + std::u16string(kHidGroupName));
}

void UninstallSequence::RemoveFile(const std::u16string& path) {
    if (!ports_.files.DeleteOneFile(path))
        DebugOutput(u"##### Not removed: " + path + u" #####\n");
}

void UninstallSequence::RemoveTree(const std::u16string& folder) {
    if (const auto entries = ports_.files.List(folder + u"\\*")) {
        for (const FolderEntry& entry : *entries) {
            if (entry.name == u"." || entry.name == u"..")
                continue;
            if (entry.isFolder)
                RemoveTree(folder + u"\\" + entry.name);
            else
                RemoveFile(folder + u"\\" + entry.name);
        }
    }
    ports_.files.RemoveFolder(folder);
}

void UninstallSequence::RemoveKeyTree(const std::u16string& path) {
    std::unique_ptr<IRegistryKey> key = ports_.registry.OpenKey(RegistryHive::LocalMachine, path);
    if (!key)
        return;
    // Windows adds subkeys of its own to a driver's service key (Enum).
    while (const std::optional<std::u16string> child = key->SubKeyName(0)) {
        const size_t before = key->SubKeyCount().value_or(0);
        RemoveKeyTree(path + u"\\" + *child);
        if (key->SubKeyCount().value_or(0) >= before)
            break;  // a subkey that cannot be removed: leave the rest
    }
    key.reset();
    if (!ports_.registry.DeleteKey(RegistryHive::LocalMachine, path))
        DebugOutput(u"##### Not removed: HKLM\\" + path + u" #####\n");
}
