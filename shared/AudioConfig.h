// The product's names and folders, read once from the AudioConfig.cfg beside the running program.
// The installer's record carries more than the panel's; AUDIO_SETUP_APP selects the installer's.
#pragma once

#include <string>

#include "ports/SystemFolders.h"

struct _APPLICATION_FOLDER_PATH {
#if AUDIO_SETUP_APP
    std::u16string SourceFolder;
#endif
    std::u16string SourceAppFileName;
    std::u16string LanguageFolderName;
    std::u16string SkinFolderName;
    std::u16string ProgramFilesFolder;
    std::u16string InstallAppTitle;
    std::u16string InstallIconFileName;
    std::u16string InstallFolderName;
    std::u16string ShortcutFolderName;
    std::u16string AppShortcutName;
    std::u16string UninstallAppTitle;
    std::u16string UninstallIconFileName;
    std::u16string UninstallShortcutName;
    std::u16string Publisher;
    std::u16string UninstallDisplayName;
    std::u16string SourceFolderFullPath;
    std::u16string InstallFolderFullPath;
#if AUDIO_SETUP_APP
    std::u16string APPFileName;
    std::u16string UninstallFileName;
    std::u16string UserManualShortcutName;
#endif
    std::u16string SystemFolder;
    std::u16string SystemDirectory;
#if AUDIO_SETUP_APP
    std::u16string DeviceActiveIconFileName;
    std::u16string DeviceUnactiveIconFileName;
    std::u16string TrayIconRestorOn;
    std::u16string ApplicationDebugLevel;
    std::u16string ServiceDebugLevel;
#else
    std::u16string APPFileName;
    std::u16string UninstallFileName;
#endif
};

// Never fails: missing file, section or key leave their fields empty; the folders are resolved
// regardless.
void LoadAudioConfig(const std::u16string& configFileName, const std::u16string& programPath,
                     _APPLICATION_FOLDER_PATH& record,
                     ISystemFolders& folders = PlatformSystemFolders());
