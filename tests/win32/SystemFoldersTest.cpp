// The installer's configuration loader with the real shell folders, system directory and Wow64
// calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "AudioConfig.h"
#include "DebugTrace.h"
#include "PlatformHelpers.h"
#include "TestFiles.h"
#include "WideText.h"

namespace {

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ThisProcessIsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::u16string WithBackslash(std::u16string folder) {
    if (folder.empty() || folder.back() != u'\\')
        folder += u'\\';
    return folder;
}

// Restores the platform's trace output when the test ends.
class CapturedTrace {
public:
    CapturedTrace() {
        SetDebugOutputSink([this](const std::u16string& line) { lines.push_back(line); });
    }
    ~CapturedTrace() { SetDebugOutputSink({}); }
    CapturedTrace(const CapturedTrace&) = delete;
    CapturedTrace& operator=(const CapturedTrace&) = delete;

    std::vector<std::u16string> lines;
};

// What the platform itself answers, for comparison with the record.
void ExpectDerivedFolders(const _APPLICATION_FOLDER_PATH& record) {
    wchar_t programFiles[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles), S_OK);
    EXPECT_EQ(record.ProgramFilesFolder, WithBackslash(U16(programFiles)));
    EXPECT_NE(record.ProgramFilesFolder, u"\\");
    EXPECT_EQ(record.InstallFolderFullPath,
              record.ProgramFilesFolder + record.InstallFolderName + u"\\");

    const bool wow64 = ThisProcessIsWow64();
    wchar_t system[MAX_PATH] = {};
    ASSERT_TRUE(
        SHGetSpecialFolderPathW(nullptr, system, wow64 ? CSIDL_SYSTEMX86 : CSIDL_SYSTEM, FALSE));
    EXPECT_EQ(record.SystemFolder, U16(system) + u"\\");
    wchar_t systemDirectory[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryW(systemDirectory, MAX_PATH), 0u);
    EXPECT_EQ(record.SystemDirectory, U16(systemDirectory) + u"\\");
    if (!wow64) {
        EXPECT_EQ(record.SystemFolder, record.SystemDirectory);
    }

    EXPECT_TRUE(IsFolder(record.SystemFolder)) << Narrow(record.SystemFolder);
    EXPECT_TRUE(IsFolder(record.SystemDirectory)) << Narrow(record.SystemDirectory);
}

TEST(SystemFoldersWin32, LoadsTheConfigurationBesideTheProgram) {
    TempFolder folder;
    folder.Write(u"AudioConfig.cfg",
                 "[Language]\r\nLanguageFolderName=Language\r\n"
                 "[Skin]\r\nSkinFolderName=Skin\r\n"
                 "[Install]\r\nInstallAppTitle=QLN47xx Audio Panel\r\nInstallFolderName=QLN47xx "
                 "Audio\r\nAPPFileName=AudioPanelApp\r\nUserManualShortcutName=User Manual\r\n"
                 "[Uninstall]\r\nPublisher=QLN Audio\r\nUninstallFileName=AudioUninstall\r\n"
                 "[Application]\r\nTrayIconRestorOn=1\r\n"
                 "[DebugLevel]\r\nApplication=2\r\nService=\r\n");
    const std::u16string program = folder.File(u"AudioSetupApp.exe");

    _APPLICATION_FOLDER_PATH record;
    CapturedTrace trace;
    LoadAudioConfig(u"AudioConfig.cfg", program, record);

    EXPECT_EQ(record.SourceFolderFullPath, folder.path());
    EXPECT_EQ(record.SourceFolder, folder.path());
    EXPECT_EQ(record.SourceAppFileName, u"AudioSetupApp.exe");
    EXPECT_EQ(trace.lines, (std::vector<std::u16string>{
                               u"##### SourceAppFileName = AudioSetupApp.exe\n",
                               u"##### SourceFolderFullPath = " + folder.path() + u"\n"}));

    EXPECT_EQ(record.LanguageFolderName, u"Language");
    EXPECT_EQ(record.SkinFolderName, u"Skin");
    EXPECT_EQ(record.InstallAppTitle, u"QLN47xx Audio Panel");
    EXPECT_EQ(record.InstallFolderName, u"QLN47xx Audio");
    EXPECT_EQ(record.APPFileName, u"AudioPanelApp");
    EXPECT_EQ(record.UserManualShortcutName, u"User Manual");
    EXPECT_EQ(record.Publisher, u"QLN Audio");
    EXPECT_EQ(record.UninstallFileName, u"AudioUninstall");
    EXPECT_EQ(record.TrayIconRestorOn, u"1");
    EXPECT_EQ(record.ShortcutFolderName, u"");
    EXPECT_EQ(record.ApplicationDebugLevel, u"2");
    EXPECT_EQ(record.ServiceDebugLevel, u"0");
    EXPECT_EQ(record.InstallFolderFullPath, record.ProgramFilesFolder + u"QLN47xx Audio\\");
    ExpectDerivedFolders(record);
}

TEST(SystemFoldersWin32, MissingConfigurationStillResolvesTheFolders) {
    TempFolder folder;
    _APPLICATION_FOLDER_PATH record;
    CapturedTrace trace;
    LoadAudioConfig(u"AudioConfig.cfg", folder.File(u"AudioSetupApp.exe"), record);

    EXPECT_EQ(record.SourceAppFileName, u"AudioSetupApp.exe");
    for (const std::u16string* name :
         {&record.LanguageFolderName, &record.SkinFolderName, &record.InstallAppTitle,
          &record.InstallFolderName, &record.APPFileName, &record.UninstallFileName,
          &record.Publisher, &record.TrayIconRestorOn}) {
        EXPECT_EQ(*name, u"");
    }
    EXPECT_EQ(record.ApplicationDebugLevel, u"0");
    EXPECT_EQ(record.ServiceDebugLevel, u"0");
    EXPECT_EQ(record.InstallFolderFullPath, record.ProgramFilesFolder + u"\\");
    ExpectDerivedFolders(record);
}

TEST(SystemFoldersWin32, ShippedConfigurationReadsThroughTheProfileFunctions) {
    // UTF-16LE with a byte-order mark, as the product ships it.
    _APPLICATION_FOLDER_PATH record;
    CapturedTrace trace;
    LoadAudioConfig(u"AudioConfig.cfg", SourcePath("product/AudioSetupApp.exe"), record);
    EXPECT_FALSE(record.InstallFolderName.empty());
    EXPECT_FALSE(record.APPFileName.empty());
    EXPECT_EQ(record.InstallFolderFullPath,
              record.ProgramFilesFolder + record.InstallFolderName + u"\\");
}

TEST(SystemFoldersWin32, Wow64SwitchesGiveThePlatformsAnswer) {
    const bool wow64 = ThisProcessIsWow64();
#ifdef _WIN64
    EXPECT_FALSE(wow64);
#endif
    ISystemFolders& folders = PlatformSystemFolders();
    EXPECT_EQ(folders.IsWow64Process(), wow64);

    // Only a Wow64 process can switch redirection off; elsewhere the calls fail and change
    // nothing.
    void* old = nullptr;
    EXPECT_EQ(DisableWow64Redirection(&old) != 0, wow64);
    EXPECT_EQ(RevertWow64Redirection(old) != 0, wow64);
    old = nullptr;
    EXPECT_EQ(folders.DisableWow64Redirection(&old) != 0, wow64);
    EXPECT_EQ(folders.RevertWow64Redirection(old) != 0, wow64);

    const std::u16string systemDirectory = folders.GetSystemDirectoryPath();
    EXPECT_TRUE(IsFile(systemDirectory + u"\\kernel32.dll")) << Narrow(systemDirectory);
}

}  // namespace
