#include "AudioConfig.h"

#include "DebugTrace.h"
#include "PlatformHelpers.h"

namespace {

std::u16string WithTrailingBackslash(std::u16string folder) {
    if (folder.empty() || folder.back() != u'\\')
        folder += u'\\';
    return folder;
}

}  // namespace

void LoadAudioConfig(const std::u16string& configFileName, const std::u16string& programPath,
                     _APPLICATION_FOLDER_PATH& record, ISystemFolders& folders) {
    const size_t slash = programPath.rfind(u'\\');
    const size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    record.SourceAppFileName = programPath.substr(nameStart);
    record.SourceFolderFullPath = programPath.substr(0, nameStart);
#if AUDIO_SETUP_APP
    record.SourceFolder = record.SourceFolderFullPath;
    // Each line is formatted into a buffer of 256 characters.
    DebugOutput((u"##### SourceAppFileName = " + record.SourceAppFileName + u"\n").substr(0, 255));
    DebugOutput(
        (u"##### SourceFolderFullPath = " + record.SourceFolderFullPath + u"\n").substr(0, 255));
#endif

    const std::u16string config = record.SourceFolderFullPath + configFileName;
    const auto read = [&config](const char16_t* section, const char16_t* key,
                                std::u16string& field) {
        ReadProfileString(config, section, key, field);
    };
    read(u"Language", u"LanguageFolderName", record.LanguageFolderName);
    read(u"Skin", u"SkinFolderName", record.SkinFolderName);
    read(u"Install", u"InstallAppTitle", record.InstallAppTitle);
    read(u"Install", u"InstallIconFileName", record.InstallIconFileName);
    read(u"Install", u"InstallFolderName", record.InstallFolderName);
    read(u"Install", u"ShortcutFolderName", record.ShortcutFolderName);
    read(u"Install", u"AppShortcutName", record.AppShortcutName);
    read(u"Uninstall", u"UninstallAppTitle", record.UninstallAppTitle);
    read(u"Uninstall", u"UninstallIconFileName", record.UninstallIconFileName);
    read(u"Uninstall", u"UninstallShortcutName", record.UninstallShortcutName);
    read(u"Uninstall", u"Publisher", record.Publisher);
    read(u"Uninstall", u"UninstallDisplayName", record.UninstallDisplayName);
#if AUDIO_SETUP_APP
    read(u"Application", u"DeviceActiveIconFileName", record.DeviceActiveIconFileName);
    read(u"Application", u"DeviceUnactiveIconFileName", record.DeviceUnactiveIconFileName);
    read(u"Application", u"TrayIconRestorOn", record.TrayIconRestorOn);
#endif
    read(u"Install", u"APPFileName", record.APPFileName);
#if AUDIO_SETUP_APP
    read(u"Install", u"UserManualShortcutName", record.UserManualShortcutName);
#endif
    read(u"Uninstall", u"UninstallFileName", record.UninstallFileName);
#if AUDIO_SETUP_APP
    read(u"DebugLevel", u"Application", record.ApplicationDebugLevel);
    read(u"DebugLevel", u"Service", record.ServiceDebugLevel);
    if (record.ApplicationDebugLevel.empty())
        record.ApplicationDebugLevel.assign(1, u'0');
    if (record.ServiceDebugLevel.empty())
        record.ServiceDebugLevel.assign(1, u'0');
#endif

    record.ProgramFilesFolder = WithTrailingBackslash(folders.GetProgramFilesFolder());
    record.InstallFolderFullPath = record.ProgramFilesFolder + record.InstallFolderName + u"\\";

    const bool wow64 = folders.IsWow64Process();
    record.SystemFolder =
        folders.GetSpecialFolder(wow64 ? CSIDL_SYSTEMX86_FOLDER : CSIDL_SYSTEM_FOLDER) + u"\\";

    void* redirection = nullptr;
    if (wow64)
        folders.DisableWow64Redirection(&redirection);
    record.SystemDirectory = folders.GetSystemDirectoryPath() + u"\\";
    if (wow64)
        folders.RevertWow64Redirection(redirection);
}
