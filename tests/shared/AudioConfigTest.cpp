// The control panel's configuration record.
#include <gtest/gtest.h>

#include "AudioConfig.h"
#include "DebugTrace.h"
#include "FakeSystemFolders.h"
#include "TestFiles.h"

namespace {

const char kConfig[] =
    "[Language]\r\nLanguageFolderName=Language\r\n"
    "[Skin]\r\nSkinFolderName=Skin\r\n"
    "[Install]\r\nInstallAppTitle=Headset Panel\r\nInstallIconFileName=Panel.ico\r\n"
    "InstallFolderName=Audio\r\nShortcutFolderName=Audio Folder\r\nAppShortcutName=Panel\r\n"
    "APPFileName=AudioPanelApp\r\nUserManualShortcutName=Manual\r\n"
    "[Uninstall]\r\nUninstallAppTitle=Remove\r\nUninstallIconFileName=Remove.ico\r\n"
    "UninstallShortcutName=Uninstall Audio\r\nPublisher=Maker\r\nUninstallDisplayName=Audio "
    "Driver\r\nUninstallFileName=AudioUninstall\r\n";

class PanelConfig : public ::testing::Test {
protected:
    _APPLICATION_FOLDER_PATH Load(const std::string& content) {
        if (!content.empty())
            folder.Write(u"AudioConfig.cfg", content);
        _APPLICATION_FOLDER_PATH record;
        LoadAudioConfig(u"AudioConfig.cfg", folder.File(u"AudioPanelApp.exe"), record, folders);
        return record;
    }

    TempFolder folder;
    FakeSystemFolders folders;
};

}  // namespace

TEST_F(PanelConfig, ReadsTheNamesBesideTheProgram) {
    const _APPLICATION_FOLDER_PATH r = Load(kConfig);
    EXPECT_EQ(r.SourceAppFileName, u"AudioPanelApp.exe");
    EXPECT_EQ(r.SourceFolderFullPath, folder.path());
    EXPECT_EQ(r.LanguageFolderName, u"Language");
    EXPECT_EQ(r.SkinFolderName, u"Skin");
    EXPECT_EQ(r.InstallAppTitle, u"Headset Panel");
    EXPECT_EQ(r.InstallIconFileName, u"Panel.ico");
    EXPECT_EQ(r.InstallFolderName, u"Audio");
    EXPECT_EQ(r.ShortcutFolderName, u"Audio Folder");
    EXPECT_EQ(r.AppShortcutName, u"Panel");
    EXPECT_EQ(r.UninstallAppTitle, u"Remove");
    EXPECT_EQ(r.UninstallIconFileName, u"Remove.ico");
    EXPECT_EQ(r.UninstallShortcutName, u"Uninstall Audio");
    EXPECT_EQ(r.Publisher, u"Maker");
    EXPECT_EQ(r.UninstallDisplayName, u"Audio Driver");
    EXPECT_EQ(r.APPFileName, u"AudioPanelApp");
    EXPECT_EQ(r.UninstallFileName, u"AudioUninstall");
    EXPECT_EQ(r.ProgramFilesFolder, u"C:\\Program Files\\");
    EXPECT_EQ(r.InstallFolderFullPath, u"C:\\Program Files\\Audio\\");
}

TEST_F(PanelConfig, SplitsTheProgramPathAtTheLastBackslash) {
    _APPLICATION_FOLDER_PATH record;
    LoadAudioConfig(u"AudioConfig.cfg", u"C:\\Media\\AudioSetupApp.exe", record, folders);
    EXPECT_EQ(record.SourceFolderFullPath, u"C:\\Media\\");
    EXPECT_EQ(record.SourceAppFileName, u"AudioSetupApp.exe");
}

TEST_F(PanelConfig, AddsExactlyOneSeparatorToProgramFiles) {
    folders.programFiles = u"D:\\Programs\\";
    const _APPLICATION_FOLDER_PATH r = Load(kConfig);
    EXPECT_EQ(r.ProgramFilesFolder, u"D:\\Programs\\");
    EXPECT_EQ(r.InstallFolderFullPath, u"D:\\Programs\\Audio\\");
}

TEST_F(PanelConfig, MissingFileLeavesNamesEmptyAndStillResolvesFolders) {
    const _APPLICATION_FOLDER_PATH r = Load("");
    EXPECT_TRUE(r.InstallAppTitle.empty());
    EXPECT_TRUE(r.InstallFolderName.empty());
    EXPECT_TRUE(r.APPFileName.empty());
    EXPECT_EQ(r.SourceFolderFullPath, folder.path());
    EXPECT_EQ(r.InstallFolderFullPath, u"C:\\Program Files\\\\");
    EXPECT_EQ(r.SystemFolder, u"C:\\Windows\\System32\\");
    EXPECT_EQ(r.SystemDirectory, u"C:\\Windows\\System32\\");
}

TEST_F(PanelConfig, CutsLongValuesAt1023Characters) {
    const std::string title(1500, 't');
    const _APPLICATION_FOLDER_PATH r = Load("[Install]\r\nInstallAppTitle=" + title + "\r\n");
    EXPECT_EQ(r.InstallAppTitle, std::u16string(1023, u't'));
}

TEST_F(PanelConfig, Wow64ReadsBothSystemFoldersAndRestoresRedirection) {
    const struct {
        bool wow64;
        const char16_t* systemFolder;
        std::vector<std::string> calls;
    } cases[] = {
        {false, u"C:\\Windows\\System32\\", {"special 37", "system directory (redirected)"}},
        {true, u"C:\\Windows\\SysWOW64\\", {"special 41", "disable", "system directory", "revert"}},
    };
    for (const auto& c : cases) {
        FakeSystemFolders fake;
        fake.wow64 = c.wow64;
        _APPLICATION_FOLDER_PATH record;
        LoadAudioConfig(u"AudioConfig.cfg", folder.File(u"AudioPanelApp.exe"), record, fake);
        EXPECT_EQ(record.SystemFolder, c.systemFolder);
        EXPECT_EQ(record.SystemDirectory, u"C:\\Windows\\System32\\");
        EXPECT_EQ(fake.calls, c.calls);
        EXPECT_TRUE(fake.redirected);
    }
}

TEST_F(PanelConfig, WritesNoTraceLines) {
    std::vector<std::u16string> lines;
    SetDebugOutputSink([&lines](const std::u16string& line) { lines.push_back(line); });
    Load(kConfig);
    SetDebugOutputSink(nullptr);
    EXPECT_TRUE(lines.empty());
}
