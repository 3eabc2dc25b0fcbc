#include "SetupNames.h"
#include "SetupOperations.h"

std::u16string QuotedPath(const std::u16string& path) {
    return u"\"" + path + u"\"";
}

uint32_t SetRunValue(IRegistry& registry, const std::u16string& name,
                     const std::u16string& command) {
    std::unique_ptr<IRegistryKey> key = registry.CreateKey(RegistryHive::LocalMachine, kRunKeyPath);
    if (!key)
        return 1;
    key->SetString(name, command);
    return 0;
}

bool WriteUninstallInfo(IRegistry& registry, const _REG_UNINSTALL_INFO& info) {
    std::unique_ptr<IRegistryKey> key = registry.OpenKey(RegistryHive::LocalMachine, info.KeyPath);
    if (!key)
        key = registry.CreateKey(RegistryHive::LocalMachine, info.KeyPath);
    if (!key)
        return false;
    key->SetString(u"DisplayName", info.DisplayName);
    key->SetString(u"UninstallString", info.UninstallString);
    key->SetString(u"DisplayIcon", info.DisplayIcon);
    key->SetString(u"DisplayVersion", info.DisplayVersion);
    key->SetString(u"Publisher", info.Publisher);
    key->SetString(u"QuietUninstallString", info.QuietUninstallString);
    key->SetString(u"InstallLocation", info.InstallLocation);
    key->SetDword(u"EstimatedSize", info.EstimatedSizeKb);
    key->SetDword(u"NoModify", 1);
    key->SetDword(u"NoRepair", 1);
    return true;
}

_REG_UNINSTALL_INFO MakeUninstallInfo(const _APPLICATION_FOLDER_PATH& folders,
                                      const std::u16string& setupVersion) {
    const std::u16string uninstaller =
        folders.InstallFolderFullPath + folders.UninstallFileName + u".exe";
    _REG_UNINSTALL_INFO info;
    info.KeyPath = kUninstallKeyPath;
    info.DisplayName = folders.UninstallDisplayName;
    // Windows runs this string as a command line.
    info.UninstallString = QuotedPath(uninstaller);
    info.QuietUninstallString = QuotedPath(uninstaller) + u" /SILENT";
    info.InstallLocation = folders.InstallFolderFullPath;
    info.DisplayIcon = uninstaller;
    info.DisplayVersion = setupVersion;
    info.Publisher = folders.Publisher;
    return info;
}
