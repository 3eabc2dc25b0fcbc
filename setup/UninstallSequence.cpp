#include "UninstallSequence.h"

#include <vector>

#include "DebugTrace.h"
#include "DeviceRestart.h"
#include "PanelExit.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "Wow64Redirection.h"

namespace {

std::u16string FolderOf(const std::u16string& path) {
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool StartsWith(const std::u16string& path, const std::u16string& prefix) {
    return !prefix.empty() && path.size() > prefix.size() &&
           SamePath(path.substr(0, prefix.size()), prefix);
}

// The command line the service manager holds, without its quotes.
std::u16string Unquoted(std::u16string command) {
    if (command.size() >= 2 && command.front() == u'"') {
        const size_t close = command.find(u'"', 1);
        if (close != std::u16string::npos)
            return command.substr(1, close - 1);
    }
    return command;
}

}  // namespace

UninstallOutcome UninstallSequence::Uninstall(const std::u16string& uninstallerPath) {
    TraceEntry(u"Uninstall");
    const std::u16string installFolder = FolderOf(uninstallerPath);
    const std::u16string logPath = installFolder + u"\\" + kInstallLogName;
    const auto bytes = ports_.files.ReadWholeFile(logPath, kInstallLogLimit);
    if (!bytes) {
        DebugOutput(u"***** No install log: " + logPath + u" *****\n");
        return UninstallOutcome::NoLog;
    }
    const std::optional<std::vector<LogEntry>> entries = ParseInstallLog(*bytes);
    if (!entries) {
        DebugOutput(u"***** Install log damaged: " + logPath + u" *****\n");
        return UninstallOutcome::DamagedLog;
    }

    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    RemovalRoots roots{installFolder, ports_.system.GetEnvironment(u"APPDATA").value_or(u""),
                       ports_.shortcuts.CommonProgramsFolder(), f.SystemDirectory, f.SystemFolder};
    const RemovalPlaces places(roots);

    // A running panel holds its program file open: the programs the log lists in the install
    // folder, but this one.
    std::vector<std::u16string> programs;
    for (const LogEntry& entry : *entries) {
        const bool program = entry.kind == LogEntryKind::File && entry.path.size() > 4 &&
                             SamePath(entry.path.substr(entry.path.size() - 4), u".exe");
        if (program && SamePath(FolderOf(entry.path), installFolder) &&
            !SamePath(entry.path, uninstallerPath))
            programs.push_back(entry.path);
    }
    EndRunningPanels(ports_.window, ports_.processes, programs);
    const bool driverUnbound = UnbindFilter();
    const std::u16string driverFile = f.SystemDirectory + u"drivers\\" + kFilterName + u".sys";
    const std::u16string driverKey =
        u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(kFilterName);

    std::vector<bool> removed(entries->size(), false);
    bool complete = true;
    bool installFolderListed = false;
    for (size_t i = entries->size(); i-- > 0;) {
        const LogEntry& entry = (*entries)[i];
        const bool self =
            entry.kind != LogEntryKind::Key && entry.kind != LogEntryKind::Value &&
            (SamePath(entry.path, uninstallerPath) || SamePath(entry.path, installFolder));
        if (self) {
            installFolderListed |= SamePath(entry.path, installFolder);
            continue;  // after everything else
        }
        // While a device still lists the filter, its driver stays for a later run.
        if (!driverUnbound &&
            ((entry.kind == LogEntryKind::File && SamePath(entry.path, driverFile)) ||
             (entry.kind == LogEntryKind::Key && SamePath(entry.path, driverKey)))) {
            complete = false;
            continue;
        }
        if (!places.Allows(entry, ports_.files)) {
            DebugOutput(u"***** Refused: " + entry.path + u" *****\n");
            complete = false;
            continue;
        }
        removed[i] = Remove(entry);
        if (removed[i])
            DebugOutput(u"##### Removed: " + LogEntryKindName(entry.kind) + u" " + entry.path +
                        (entry.valueName.empty() ? u"" : u" " + entry.valueName) + u" #####\n");
        // A folder that keeps files the log does not list (a skin added later) stays by design.
        if (!removed[i] && entry.kind != LogEntryKind::Folder)
            complete = false;
    }

    if (!complete) {
        // Kept for a later run: the entries still there, the uninstaller and its folder.
        std::vector<LogEntry> left;
        for (size_t i = 0; i < entries->size(); ++i) {
            if (!removed[i])
                left.push_back((*entries)[i]);
        }
        const std::vector<uint8_t> rewritten = FormatInstallLog(left);
        ports_.files.ReplaceFile(logPath, rewritten.data(), rewritten.size());
        return UninstallOutcome::SomeLeft;
    }
    ports_.files.DeleteOneFile(logPath);
    // The running program cannot delete itself. Renamed first, so that an installation before
    // the restart writes a new uninstaller that the pending deletion does not reach; the folder
    // goes with it if nothing else is left in it by then.
    const std::u16string leaving = uninstallerPath + u".removed";
    ports_.files.DeleteAtReboot(ports_.files.MoveOver(uninstallerPath, leaving) ? leaving
                                                                                : uninstallerPath);
    if (installFolderListed &&
        places.Allows({LogEntryKind::Folder, installFolder, {}}, ports_.files) &&
        !ports_.files.RemoveFolder(installFolder))
        ports_.files.DeleteAtReboot(installFolder);
    return UninstallOutcome::Removed;
}

bool UninstallSequence::Remove(const LogEntry& entry) {
    switch (entry.kind) {
        case LogEntryKind::Folder:
            if (ports_.files.RemoveFolder(entry.path) || !Exists(entry.path))
                return true;
            DebugOutput(u"##### Kept, not empty: " + entry.path + u" #####\n");
            return false;
        case LogEntryKind::File:
            return RemoveFile(entry.path);
        case LogEntryKind::Key:
            return RemoveKeyTree(entry.path);
        case LogEntryKind::Value:
            return RemoveValue(entry);
        case LogEntryKind::Service:
            return RemoveService();
    }
    return false;
}

bool UninstallSequence::Exists(const std::u16string& path) {
    return ports_.files.List(path).has_value();
}

bool UninstallSequence::RemoveFile(const std::u16string& path) {
    // The driver and the service program were written to the native system folder.
    ScopedRedirectionOff redirection(
        ports_.folders, state_.IsWow64 && StartsWith(path, state_.Folders.SystemDirectory));
    // The panel asked to end, or the stopped service's process, may hold its program file a
    // moment longer. The wait is shared by the whole run: a file held for good costs it once.
    constexpr uint32_t kRetryMs = 100;
    while (!ports_.files.DeleteOneFile(path) && Exists(path)) {
        if (waitLeft_ < kRetryMs) {
            DebugOutput(u"##### Not removed: " + path + u" #####\n");
            return false;
        }
        waitLeft_ -= kRetryMs;
        ports_.system.Sleep(kRetryMs);
    }
    return true;
}

bool UninstallSequence::RemoveService() {
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 1);
    std::unique_ptr<IServiceManagerHandle> manager = ports_.services.OpenManager();
    std::unique_ptr<IServiceHandle> service =
        manager ? manager->OpenNamedService(kServiceName) : nullptr;
    if (manager && !service)
        return true;  // already gone
    // A service of the same name that runs another program is not ours to delete.
    const std::optional<std::u16string> image = service ? service->ImagePath() : std::nullopt;
    const std::u16string ours = state_.Folders.SystemDirectory + kServiceName + u".exe";
    if (!image || !SamePath(Unquoted(*image), ours)) {
        DebugOutput(u"***** Service not ours, kept *****\n");
        return false;
    }
    if (!service->Delete()) {
        DebugOutput(u"***** Delete service FAIL! *****\n");
        return false;
    }
    return true;
}

bool UninstallSequence::RemoveValue(const LogEntry& entry) {
    std::unique_ptr<IRegistryKey> key =
        ports_.registry.OpenKey(RegistryHive::LocalMachine, entry.path);
    return !key || key->DeleteValue(entry.valueName) || !key->GetType(entry.valueName);
}

bool UninstallSequence::UnbindFilter() {
    // The binding goes first, so that no device stack still loads the driver being removed.
    std::vector<std::u16string> unbound;
    const uint32_t unbinding =
        RemoveUpperFilter(ports_.devices, MEDIA_CLASS_GUID, kFilterName, &unbound);
    if (unbinding != 1)
        RestartDevices(ports_, state_, unbound);
    // A device still bound to a deleted driver would not start any more.
    if (unbinding != 0)
        DebugOutput(u"##### A device may still list the filter: driver kept #####\n");
    return unbinding == 0;
}

bool UninstallSequence::RemoveKeyTree(const std::u16string& path) {
    std::unique_ptr<IRegistryKey> key = ports_.registry.OpenKey(RegistryHive::LocalMachine, path);
    if (!key)
        return true;
    // Windows adds subkeys of its own to a driver's service key (Enum).
    while (const std::optional<std::u16string> child = key->SubKeyName(0)) {
        const size_t before = key->SubKeyCount().value_or(0);
        RemoveKeyTree(path + u"\\" + *child);
        if (key->SubKeyCount().value_or(0) >= before)
            break;  // a subkey that cannot be removed: leave the rest
    }
    key.reset();
    if (ports_.registry.DeleteKey(RegistryHive::LocalMachine, path))
        return true;
    DebugOutput(u"##### Not removed: HKLM\\" + path + u" #####\n");
    return false;
}
