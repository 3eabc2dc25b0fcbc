#include "UninstallSequence.h"

#include <vector>

#include "DebugTrace.h"
#include "DeviceRestart.h"
#include "InstalledArtefacts.h"
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
    const std::u16string commonPrograms = ports_.shortcuts.CommonProgramsFolder();
    RemovalRoots roots{installFolder, ports_.system.GetEnvironment(u"APPDATA").value_or(u""),
                       commonPrograms, f.SystemDirectory, f.SystemFolder};
    const RemovalPlaces places(roots);
    const OtherAccountProfiles otherProfiles(ports_.registry, ports_.system);
    places_ = &places;
    otherProfiles_ = &otherProfiles;
    others_ = FindOtherInstallations(ports_.registry, ports_.files, state_.IsWow64, installFolder);

    // Only the service program the log says was written is run to restart devices.
    const std::u16string serviceProgram = InstalledFilePath(kServiceProgramFile, f);
    for (const LogEntry& entry : *entries) {
        if (entry.kind == LogEntryKind::File && SamePath(entry.path, serviceProgram))
            state_.ServiceProgramHash = entry.contentHash;
    }

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
    driverShared_ = false;
    for (const LogEntry& entry : *entries)
        driverShared_ |= IsDriverEntry(entry) && ListedElsewhere(entry);
    // Another installation's driver stays bound and loaded.
    driverFree_ = !driverShared_ && UnbindFilter();

    // The way back, the uninstall entry and the Start-menu links, goes only when all else did.
    const auto isWayBack = [&](const LogEntry& entry) {
        if (entry.kind == LogEntryKind::Key)
            return SamePath(entry.path, kUninstallKey.path);
        return (entry.kind == LogEntryKind::File || entry.kind == LogEntryKind::Folder) &&
               StartsWith(entry.path, commonPrograms + u"\\");
    };
    std::vector<Removal> results(entries->size(), Removal::Kept);
    bool installFolderListed = false;
    const auto takeAll = [&](bool wayBack) {
        bool complete = true;
        for (size_t i = entries->size(); i-- > 0;) {
            const LogEntry& entry = (*entries)[i];
            const bool self =
                entry.kind != LogEntryKind::Key && entry.kind != LogEntryKind::Value &&
                (SamePath(entry.path, uninstallerPath) || SamePath(entry.path, installFolder));
            if (self) {
                installFolderListed |= SamePath(entry.path, installFolder);
                continue;  // after everything else
            }
            if (isWayBack(entry) != wayBack)
                continue;
            results[i] = Take(entry);
            if (results[i] == Removal::Done)
                DebugOutput(u"##### Removed: " + LogEntryKindName(entry.kind) + u" " + entry.path +
                            (entry.valueName.empty() ? u"" : u" " + entry.valueName) + u" #####\n");
            complete &= results[i] != Removal::Left;
        }
        return complete;
    };
    const bool complete = takeAll(false) && takeAll(true);
    places_ = nullptr;
    otherProfiles_ = nullptr;

    if (!complete) {
        // Kept for a later run: the entries still there, the uninstaller and its folder.
        std::vector<LogEntry> left;
        for (size_t i = 0; i < entries->size(); ++i) {
            if (results[i] == Removal::Kept || results[i] == Removal::Left)
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

bool UninstallSequence::IsDriverEntry(const LogEntry& entry) const {
    return (entry.kind == LogEntryKind::File &&
            SamePath(entry.path, InstalledFilePath(kDriverFile, state_.Folders))) ||
           (entry.kind == LogEntryKind::Key && SamePath(entry.path, kDriverServiceKey.path));
}

bool UninstallSequence::ListedElsewhere(const LogEntry& entry) const {
    for (const OtherInstallation& other : others_) {
        if (ListsAlso(other, entry))
            return true;
    }
    return false;
}

UninstallSequence::Removal UninstallSequence::Take(const LogEntry& entry) {
    if (ListedElsewhere(entry) || (IsDriverEntry(entry) && driverShared_)) {
        DebugOutput(u"##### Another installation lists it, kept: " + entry.path + u" #####\n");
        return Removal::NotOurs;
    }
    // While a device still lists the filter, its driver stays for a later run.
    if (IsDriverEntry(entry) && !driverFree_)
        return Removal::Left;
    if (!places_->Allows(entry, ports_.files)) {
        const bool onDisk = entry.kind == LogEntryKind::File || entry.kind == LogEntryKind::Folder;
        if (onDisk && otherProfiles_->Contains(entry.path)) {
            DebugOutput(u"##### Not ours, dropped: " + entry.path + u" #####\n");
            return Removal::NotOurs;
        }
        DebugOutput(u"***** Refused: " + entry.path + u" *****\n");
        return Removal::Left;
    }
    return Remove(entry);
}

UninstallSequence::Removal UninstallSequence::Remove(const LogEntry& entry) {
    switch (entry.kind) {
        case LogEntryKind::Folder:
            return RemoveFolder(entry.path);
        case LogEntryKind::File:
            return RemoveFile(entry.path) ? Removal::Done : Removal::Left;
        case LogEntryKind::Key: {
            // Allowed, so the table has it: its hive and view are the ones it was written in.
            const InstalledKey* key = FindInstalledKey(entry.path);
            return key && RemoveKeyTree(*key, entry.path) ? Removal::Done : Removal::Left;
        }
        case LogEntryKind::Value:
            return RemoveValue(entry) ? Removal::Done : Removal::Left;
        case LogEntryKind::Service:
            return RemoveService();
    }
    return Removal::Left;
}

bool UninstallSequence::Exists(const std::u16string& path) {
    return ports_.files.List(path).has_value();
}

UninstallSequence::Attempt UninstallSequence::RemoveOnce(const std::u16string& path) {
    std::unique_ptr<IRemovableEntry> entry = ports_.files.OpenForRemoval(path);
    if (!entry)
        return Exists(path) ? Attempt::Held : Attempt::Gone;
    // The places were checked for links before; this is what is there now. A junction put on
    // the way since then leads elsewhere, and the final path says so.
    if (entry->IsLink() || !SamePath(entry->FinalPath(), path)) {
        DebugOutput(u"***** Refused, reached through a link: " + path + u" *****\n");
        return Attempt::Refused;
    }
    return entry->Remove() ? Attempt::Removed : Attempt::Held;
}

bool UninstallSequence::RemoveFile(const std::u16string& path) {
    // The driver and the service program were written to the native system folder.
    ScopedRedirectionOff redirection(
        ports_.folders, state_.IsWow64 && StartsWith(path, state_.Folders.SystemDirectory));
    // The panel asked to end, or the stopped service's process, may hold its program file a
    // moment longer. The wait is shared by the whole run: a file held for good costs it once.
    constexpr uint32_t kRetryMs = 100;
    for (;;) {
        const Attempt attempt = RemoveOnce(path);
        if (attempt == Attempt::Removed || attempt == Attempt::Gone)
            return true;
        if (attempt == Attempt::Refused)
            return false;
        if (waitLeft_ < kRetryMs) {
            // Held by a program of another logged-on user, for example: it goes at the restart.
            if (ports_.files.DeleteAtReboot(path))
                DebugOutput(u"##### In use, deleted at the next restart: " + path + u" #####\n");
            else
                DebugOutput(u"##### Not removed: " + path + u" #####\n");
            return false;
        }
        waitLeft_ -= kRetryMs;
        ports_.system.Sleep(kRetryMs);
    }
}

UninstallSequence::Removal UninstallSequence::RemoveFolder(const std::u16string& path) {
    const Attempt attempt = RemoveOnce(path);
    if (attempt == Attempt::Removed || attempt == Attempt::Gone)
        return Removal::Done;
    if (attempt == Attempt::Refused)
        return Removal::Left;
    // A folder that keeps files the log does not list (a skin added later) stays.
    DebugOutput(u"##### Kept, not empty: " + path + u" #####\n");
    return Removal::Kept;
}

UninstallSequence::Removal UninstallSequence::RemoveService() {
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 1);
    std::unique_ptr<IServiceManagerHandle> manager = ports_.services.OpenManager();
    std::unique_ptr<IServiceHandle> service =
        manager ? manager->OpenNamedService(kServiceName) : nullptr;
    if (manager && !service)
        return Removal::Done;  // already gone
    const std::optional<std::u16string> image = service ? service->ImagePath() : std::nullopt;
    if (!image)
        return Removal::Left;
    // A service of the same name that runs another program is not ours to delete.
    const std::u16string ours = InstalledFilePath(kServiceProgramFile, state_.Folders);
    if (!SamePath(Unquoted(*image), ours)) {
        DebugOutput(u"***** Service not ours, kept *****\n");
        return Removal::NotOurs;
    }
    if (!service->Delete()) {
        DebugOutput(u"***** Delete service FAIL! *****\n");
        return Removal::Left;
    }
    return Removal::Done;
}

bool UninstallSequence::RemoveValue(const LogEntry& entry) {
    const InstalledKey* installed = FindInstalledKey(entry.path);
    if (!installed)
        return false;
    std::unique_ptr<IRegistryKey> key =
        ports_.registry.OpenKey(installed->hive, entry.path, installed->view);
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
    if (unbinding != 0) {
        DebugOutput(u"##### A device may still list the filter: driver kept #####\n");
        return false;
    }
    // Nor would any device of the media class, when the class lists it for all of them.
    std::unique_ptr<IRegistryKey> mediaClass =
        ports_.registry.OpenKey(RegistryHive::LocalMachine, kMediaClassKeyPath,
                                RegistryView::Default, RegistryAccess::Read);
    const std::optional<std::vector<std::u16string>> classFilters =
        mediaClass ? mediaClass->GetMultiString(u"UpperFilters") : std::nullopt;
    for (const std::u16string& filter : classFilters.value_or(std::vector<std::u16string>{})) {
        if (SamePath(filter, kFilterName)) {
            DebugOutput(u"##### The media class lists the filter: driver kept #####\n");
            return false;
        }
    }
    return true;
}

bool UninstallSequence::RemoveKeyTree(const InstalledKey& installed, const std::u16string& path) {
    std::unique_ptr<IRegistryKey> key =
        ports_.registry.OpenKey(installed.hive, path, installed.view);
    if (!key)
        return true;
    // Windows adds subkeys of its own to a driver's service key (Enum).
    while (const std::optional<std::u16string> child = key->SubKeyName(0)) {
        const size_t before = key->SubKeyCount().value_or(0);
        RemoveKeyTree(installed, path + u"\\" + *child);
        if (key->SubKeyCount().value_or(0) >= before)
            break;  // a subkey that cannot be removed: leave the rest
    }
    key.reset();
    if (ports_.registry.DeleteKey(installed.hive, path, installed.view))
        return true;
    const char16_t* hive = installed.hive == RegistryHive::LocalMachine ? u"HKLM\\" : u"HKCU\\";
    DebugOutput(u"##### Not removed: " + std::u16string(hive) + path + u" #####\n");
    return false;
}
