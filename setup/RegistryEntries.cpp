#include "InstallSequence.h"
#include "InstalledArtefacts.h"
#include "SetupOperations.h"

std::u16string QuotedPath(const std::u16string& path) {
    return u"\"" + path + u"\"";
}

uint32_t SetRunValue(IRegistry& registry, const std::u16string& name,
                     const std::u16string& command) {
    std::unique_ptr<IRegistryKey> key =
        registry.CreateKey(kRunKey.hive, kRunKey.path, kRunKey.view);
    if (!key)
        return 1;
    key->SetString(name, command);
    return 0;
}

bool WriteUninstallInfo(IRegistry& registry, const _REG_UNINSTALL_INFO& info) {
    std::unique_ptr<IRegistryKey> key =
        registry.OpenKey(kUninstallKey.hive, info.KeyPath, kUninstallKey.view);
    if (!key)
        key = registry.CreateKey(kUninstallKey.hive, info.KeyPath, kUninstallKey.view);
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
    info.KeyPath = kUninstallKey.path;
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

uint32_t InstallSequence::WriteRegistryValues(int step) {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    for (const InstalledKey* key : InstalledKeys()) {
        std::vector<const InstalledValue*> values;
        for (const InstalledValue& value : InstalledValues()) {
            if (&value.key == key && value.step == step)
                values.push_back(&value);
        }
        if (values.empty())
            continue;
        std::unique_ptr<IRegistryKey> opened =
            ports_.registry.CreateKey(key->hive, key->path, key->view);
        if (!opened) {
            for (const InstalledValue* value : values) {
                if (value->failure != 0)
                    return value->failure;
            }
            continue;  // best effort
        }
        // A value that cannot be set does not fail the step, as before the table.
        for (const InstalledValue* value : values) {
            const std::u16string name = InstalledValueName(*value, f);
            const InstalledValueData data = value->data(f);
            switch (data.type) {
                case InstalledValueData::Type::String:
                    opened->SetString(name, data.text);
                    break;
                case InstalledValueData::Type::ExpandString:
                    opened->SetExpandString(name, data.text);
                    break;
                case InstalledValueData::Type::Dword:
                    opened->SetDword(name, data.number);
                    break;
            }
        }
        if (key->own)
            opened->Flush();
        opened.reset();
        if (key->own) {
            recorder_.Record({LogEntryKind::Key, key->path, {}});
        } else {
            for (const InstalledValue* value : values)
                recorder_.Record({LogEntryKind::Value, key->path, InstalledValueName(*value, f)});
        }
    }
    return 0;
}
