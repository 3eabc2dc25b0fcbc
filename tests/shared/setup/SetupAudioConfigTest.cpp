// The installer's configuration record: the panel's fields plus its own.
#include <gtest/gtest.h>

#include "../FakeSystemFolders.h"
#include "AudioConfig.h"
#include "DebugTrace.h"
#include "TestFiles.h"

namespace {

class SetupConfig : public ::testing::Test {
protected:
    _APPLICATION_FOLDER_PATH Load(const std::string& content) {
        if (!content.empty())
            folder.Write(u"AudioConfig.cfg", content);
        SetDebugOutputSink([this](const std::u16string& line) { trace.push_back(line); });
        _APPLICATION_FOLDER_PATH record;
        LoadAudioConfig(u"AudioConfig.cfg", folder.File(u"AudioSetupApp.exe"), record, folders);
        SetDebugOutputSink(nullptr);
        return record;
    }

    TempFolder folder;
    FakeSystemFolders folders;
    std::vector<std::u16string> trace;
};

}  // namespace

TEST_F(SetupConfig, ReadsTheInstallersOwnKeys) {
    const _APPLICATION_FOLDER_PATH r = Load(
        "[Install]\r\nInstallFolderName=Audio\r\nAPPFileName=AudioPanelApp\r\n"
        "UserManualShortcutName=User Manual\r\n"
        "[Uninstall]\r\nUninstallFileName=AudioUninstall\r\n"
        "[Application]\r\nDeviceActiveIconFileName=On.ico\r\nDeviceUnactiveIconFileName=Off.ico\r\n"
        "TrayIconRestorOn=1\r\n"
        "[DebugLevel]\r\nApplication=3\r\nService=2\r\n");
    EXPECT_EQ(r.SourceFolder, folder.path());
    EXPECT_EQ(r.SourceFolder, r.SourceFolderFullPath);
    EXPECT_EQ(r.SourceAppFileName, u"AudioSetupApp.exe");
    EXPECT_EQ(r.APPFileName, u"AudioPanelApp");
    EXPECT_EQ(r.UninstallFileName, u"AudioUninstall");
    EXPECT_EQ(r.UserManualShortcutName, u"User Manual");
    EXPECT_EQ(r.DeviceActiveIconFileName, u"On.ico");
    EXPECT_EQ(r.DeviceUnactiveIconFileName, u"Off.ico");
    EXPECT_EQ(r.TrayIconRestorOn, u"1");
    EXPECT_EQ(r.ApplicationDebugLevel, u"3");
    EXPECT_EQ(r.ServiceDebugLevel, u"2");
    EXPECT_EQ(r.InstallFolderFullPath, u"C:\\Program Files\\Audio\\");
}

TEST_F(SetupConfig, DebugLevelsDefaultToZeroWhenEmptyOrMissing) {
    for (const char* content : {"", "[DebugLevel]\r\nApplication=\r\n"}) {
        const _APPLICATION_FOLDER_PATH r = Load(content);
        EXPECT_EQ(r.ApplicationDebugLevel, u"0");
        EXPECT_EQ(r.ServiceDebugLevel, u"0");
        EXPECT_TRUE(r.UserManualShortcutName.empty());
        EXPECT_EQ(r.SystemDirectory, u"C:\\Windows\\System32\\");
    }
}

TEST_F(SetupConfig, TracesTheProgramsNameAndFolder) {
    Load("");
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], u"##### SourceAppFileName = AudioSetupApp.exe\n");
    EXPECT_EQ(trace[1], u"##### SourceFolderFullPath = " + folder.path() + u"\n");
}

TEST_F(SetupConfig, ThirtyTwoBitInstallerOn64BitWindowsSeesBothSystemFolders) {
    folders.wow64 = true;
    const _APPLICATION_FOLDER_PATH r = Load("");
    EXPECT_EQ(r.SystemFolder, u"C:\\Windows\\SysWOW64\\");
    EXPECT_EQ(r.SystemDirectory, u"C:\\Windows\\System32\\");
    EXPECT_TRUE(folders.redirected);
}
