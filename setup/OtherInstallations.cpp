#include "OtherInstallations.h"

#include "InstalledArtefacts.h"
#include "RemovalPlaces.h"
#include "SetupNames.h"

namespace {

std::u16string Unquoted(const std::u16string& command) {
    if (command.size() >= 2 && command.front() == u'"') {
        const size_t close = command.find(u'"', 1);
        if (close != std::u16string::npos)
            return command.substr(1, close - 1);
    }
    return command;
}

std::u16string Trimmed(std::u16string path) {
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

bool Exists(ISetupFiles& files, const std::u16string& path) {
    return files.List(path).has_value();
}

bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
    return text.size() >= prefix.size() && SamePath(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::vector<OtherInstallation> FindOtherInstallations(IRegistry& registry, ISetupFiles& files,
                                                      bool isWow64,
                                                      const std::u16string& ownFolder) {
    std::vector<OtherInstallation> others;
    const RegistryView views[] = {RegistryView::Default,
                                  isWow64 ? RegistryView::Native64 : RegistryView::Wow32};
    for (const RegistryView view : views) {
        std::unique_ptr<IRegistryKey> key =
            registry.OpenKey(kUninstallKey.hive, kUninstallKey.path, view, RegistryAccess::Read);
        const std::optional<std::u16string> command =
            key ? key->GetString(u"UninstallString") : std::nullopt;
        if (!command)
            continue;
        const std::u16string uninstaller = Unquoted(*command);
        const size_t slash = uninstaller.rfind(u'\\');
        if (slash == std::u16string::npos || slash == 0)
            continue;
        const std::u16string folder = Trimmed(uninstaller.substr(0, slash));
        if (SamePath(folder, Trimmed(ownFolder)))
            continue;
        bool known = false;  // on 32-bit Windows both views are one
        for (const OtherInstallation& other : others)
            known |= SamePath(other.folder, folder);
        const std::u16string logPath = folder + u"\\" + kInstallLogName;
        if (known || !(Exists(files, uninstaller) || Exists(files, logPath)))
            continue;
        OtherInstallation other{folder, view == RegistryView::Default, {}};
        if (const auto bytes = files.ReadWholeFile(logPath, kInstallLogLimit))
            other.log = ParseInstallLog(*bytes).value_or(std::vector<LogEntry>{});
        others.push_back(std::move(other));
    }
    return others;
}

bool ListsAlso(const OtherInstallation& other, const LogEntry& entry) {
    const bool ownKey = entry.kind == LogEntryKind::Key || entry.kind == LogEntryKind::Value;
    if (!other.sameView && ownKey && StartsWithNoCase(entry.path, u"SOFTWARE\\"))
        return false;
    for (const LogEntry& theirs : other.log) {
        if (theirs.kind == entry.kind && SamePath(theirs.path, entry.path) &&
            SamePath(theirs.valueName, entry.valueName))
            return true;
    }
    return false;
}
