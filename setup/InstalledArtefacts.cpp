#include "InstalledArtefacts.h"

#include "RemovalPlaces.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

constexpr RegistryHive kMachine = RegistryHive::LocalMachine;
// No view flag: on 64-bit Windows the 32-bit installer's SOFTWARE keys go to the 32-bit view.
constexpr RegistryView kOwnView = RegistryView::Default;

InstalledValueData Dword(uint32_t number) {
    return {InstalledValueData::Type::Dword, {}, number};
}

// The folders the uninstaller may find the installation's files in, whatever the version of the
// installer that wrote them: an earlier one made the per-user folder in %APPDATA%.
const InstalledPlace kInstallFolderTree{PlaceRoot::ProgramFiles, PlaceShape::Tree, {}};
const InstalledPlace kUserFolderTree{PlaceRoot::AppData, PlaceShape::Tree, {}};
const InstalledPlace kShortcutFolder{PlaceRoot::CommonPrograms, PlaceShape::LinkFolder, {}};

}  // namespace

const InstalledKey kDriverServiceKey{
    kMachine, kOwnView, u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(kFilterName),
    true};
const InstalledKey kUninstallKey{kMachine, kOwnView, kUninstallKeyPath, true};
// Published by the wizard (SaveGroupToRegistry), listed when the log starts.
const InstalledKey kUsbGroupKey{kMachine, kOwnView, u"SOFTWARE\\" + std::u16string(kUsbGroupName),
                                true};
const InstalledKey kHidGroupKey{kMachine, kOwnView, u"SOFTWARE\\" + std::u16string(kHidGroupName),
                                true};
const InstalledKey kRunKey{kMachine, kOwnView, kRunKeyPath, false};

const std::vector<const InstalledKey*>& InstalledKeys() {
    static const std::vector<const InstalledKey*> keys = {&kDriverServiceKey, &kUninstallKey,
                                                          &kUsbGroupKey, &kHidGroupKey, &kRunKey};
    return keys;
}

const std::vector<InstalledValue>& InstalledValues() {
    using Folders = _APPLICATION_FOLDER_PATH;
    static const std::vector<InstalledValue> values = {
        // A kernel driver (Type 1), started on demand (3), a failure logged (ErrorControl 1).
        {kDriverServiceKey, u"ErrorControl", 1, FILTER_DRIVER_KEY_FAILED,
         [](const Folders&) { return Dword(1); }},
        {kDriverServiceKey, u"Start", 1, FILTER_DRIVER_KEY_FAILED,
         [](const Folders&) { return Dword(3); }},
        {kDriverServiceKey, u"Type", 1, FILTER_DRIVER_KEY_FAILED,
         [](const Folders&) { return Dword(1); }},
        {kDriverServiceKey, u"ImagePath", 1, FILTER_DRIVER_KEY_FAILED,
         [](const Folders&) {
             return InstalledValueData{
                 InstalledValueData::Type::ExpandString,
                 u"System32\\DRIVERS\\" + std::u16string(kFilterName) + u".sys"};
         }},
        // Quoted: Program Files has a space, and an unquoted path could start a shorter one.
        {kRunKey,
         {},
         3,
         APP_RUN_KEY_FAILED,
         [](const Folders& f) {
             return InstalledValueData{
                 InstalledValueData::Type::String,
                 QuotedPath(f.InstallFolderFullPath + f.APPFileName + u".exe")};
         }},
    };
    return values;
}

const InstalledKey* FindInstalledKey(const std::u16string& path) {
    for (const InstalledKey* key : InstalledKeys()) {
        if (SamePath(key->path, path))
            return key;
    }
    return nullptr;
}

std::u16string InstalledValueName(const InstalledValue& value,
                                  const _APPLICATION_FOLDER_PATH& folders) {
    return value.name.empty() ? folders.APPFileName : value.name;
}

const InstalledPlace kDriverFile{PlaceRoot::SystemDirectory, PlaceShape::OneFile,
                                 u"drivers\\" + std::u16string(kFilterName) + u".sys"};
const InstalledPlace kServiceProgramFile{PlaceRoot::SystemDirectory, PlaceShape::OneFile,
                                         kServiceName + std::u16string(u".exe")};
const InstalledPlace kPatchFile{PlaceRoot::SystemFolder, PlaceShape::OneFile, kPatchFileName};

const std::vector<const InstalledPlace*>& InstalledPlaces() {
    static const std::vector<const InstalledPlace*> places = {
        &kInstallFolderTree, &kUserFolderTree,     &kShortcutFolder,
        &kDriverFile,        &kServiceProgramFile, &kPatchFile};
    return places;
}

std::u16string InstalledFilePath(const InstalledPlace& place,
                                 const _APPLICATION_FOLDER_PATH& folders) {
    switch (place.root) {
        case PlaceRoot::SystemDirectory:
            return folders.SystemDirectory + place.file;
        case PlaceRoot::SystemFolder:
            return folders.SystemFolder + place.file;
        default:
            return {};  // named by the configuration, not by the table
    }
}
