// Where an installation goes and what its log lists: another installation in another folder,
// folders that were there already, files being replaced, and the manual without a language.
#include <gtest/gtest.h>

#include <algorithm>

#include "InstallLog.h"
#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "UninstallSequence.h"
#include "WizardFlow.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kLog = kInstall + u"Install.log";
const std::u16string kSecond = u"C:\\Program Files\\QLN Audio 2";

std::vector<LogEntry> LogOf(MemoryFiles& files) {
    const auto bytes = files.ReadWholeFile(kLog, kInstallLogLimit);
    if (!bytes)
        return {};
    return ParseInstallLog(*bytes).value_or(std::vector<LogEntry>{});
}

bool Lists(const std::vector<LogEntry>& log, const LogEntry& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

class Places : public ::testing::Test {
protected:
    void Install() { InstallSequence(m.ports, m.state).Install(); }
    void Uninstall() { UninstallSequence(m.ports, m.state).Uninstall(kInstall + u"Uninstall.exe"); }
    // The uninstall entry an earlier installation left, in one registry view.
    void Registered(const std::u16string& folder, RegistryView view) {
        m.registry.CreateKey(RegistryHive::LocalMachine, kUninstallKeyPath, view)
            ->SetString(u"UninstallString", u"\"" + folder + u"\\Uninstall.exe\"");
    }

    SetupMachine m;
};

TEST_F(Places, AnInstallationInAnotherFolderIsRefusedBeforeAnythingChanges) {
    m.state.Texts[LabelWarning5].Text = u"Installed elsewhere, remove it first:";
    for (const RegistryView view : {RegistryView::Default, RegistryView::Wow32}) {
        SCOPED_TRACE(view == RegistryView::Default ? "same view" : "other view");
        m.registry.Reset();
        m.window.messages.clear();
        m.files.AddFile(kSecond + u"\\Uninstall.exe", "uninstaller");
        Registered(kSecond, view);
        m.files.log.clear();
        Install();
        EXPECT_FALSE(m.state.InstallSucceeded);
        EXPECT_EQ(m.state.OtherInstallationFolder, kSecond);
        EXPECT_EQ(m.window.messages, std::vector<std::u16string>{
                                         u"Installed elsewhere, remove it first:\n" + kSecond});
        EXPECT_TRUE(m.window.progress.empty());
        EXPECT_EQ(m.window.broadcasts, 0);
        EXPECT_TRUE(m.services.services.empty());
        EXPECT_TRUE(m.files.log.empty());
        EXPECT_FALSE(m.files.IsFolder(kInstall));
    }
    // There is no panel here for Finish to start.
    WizardFlow flow(m.ports, m.state);
    flow.Next();
    flow.Done();
    flow.Finish();
    EXPECT_TRUE(m.processes.openedAsDesktopUser.empty());
}

TEST_F(Places, AnEntryOfThisFolderOrOfAnInstallationThatIsGoneIsNoObstacle) {
    struct Case {
        const char* name;
        std::u16string folder;
        bool uninstallerThere;
    };
    const std::vector<Case> cases = {
        {"this folder", u"C:\\Program Files\\qln audio", true},
        {"another folder, its files gone", kSecond, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m.registry.Reset();
        m.state.InstallSucceeded = false;
        if (c.uninstallerThere)
            m.files.AddFile(c.folder + u"\\Uninstall.exe", "uninstaller");
        Registered(c.folder, RegistryView::Default);
        Install();
        EXPECT_TRUE(m.state.InstallSucceeded);
        EXPECT_TRUE(m.state.OtherInstallationFolder.empty());
    }
}

TEST_F(Places, WithoutADefaultLanguageNoManualIsCopied) {
    m.files.AddFile(u"C:\\Media\\AudioConfig.cfg", "[Language]\r\nDefaultLanguage=\r\n");
    m.files.AddFile(u"C:\\Media\\Manual\\Readme.pdf", "a file directly in Manual");
    Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    EXPECT_FALSE(m.files.IsFolder(kInstall + u"Manual"));
    EXPECT_FALSE(m.files.IsFile(m.shortcuts.programs + u"\\QLN Audio\\User Manual.lnk"));
    for (const LogEntry& entry : LogOf(m.files))
        EXPECT_EQ(entry.path.find(u"\\\\", 1), std::u16string::npos) << Narrow8(entry.path);
}

TEST_F(Places, DoubledBackslashesAreNotLogged) {
    InstallRecorder recorder(m.files, m.shortcuts);
    m.files.AddFolder(kInstall);
    recorder.Open(kLog);
    m.files.AddFolder(kInstall + u"Manual");
    recorder.CopyOneFile(u"C:\\Media\\Setup.ico", kInstall + u"Manual\\\\Setup.ico");
    EXPECT_EQ(LogOf(m.files),
              (std::vector<LogEntry>{{LogEntryKind::File, kInstall + u"Manual\\Setup.ico", {}}}));
}

// A reinstallation before the restart that removes the folder, a copy cut off by a power loss:
// the folders are there already, and still the installation's own.
TEST_F(Places, FoldersThatWereThereAlreadyAreListed) {
    m.files.AddFile(kInstall + u"Uninstall.exe.removed", "pending deletion");
    m.files.AddFolder(kInstall + u"Skin\\Blue");
    m.files.AddFolder(m.shortcuts.programs + u"\\QLN Audio");
    Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    const std::vector<LogEntry> log = LogOf(m.files);
    for (const std::u16string& folder :
         {kInstall.substr(0, kInstall.size() - 1), kInstall + u"Skin", kInstall + u"Skin\\Blue",
          m.shortcuts.programs + u"\\QLN Audio"})
        EXPECT_TRUE(Lists(log, {LogEntryKind::Folder, folder, {}})) << Narrow8(folder);
}

// Cut off between the write and the move, a replacement leaves "<name>.new" beside the file.
TEST_F(Places, TheFileBesideAReplacedOneIsListedAndRemoved) {
    const std::u16string driver = u"C:\\Windows\\System32\\drivers\\UAExt.sys";
    Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    EXPECT_TRUE(Lists(LogOf(m.files), {LogEntryKind::File, driver + u".new", {}}));
    m.files.AddFile(driver + u".new", "cut off");
    m.files.AddFile(u"C:\\Program Files\\QLN Audio\\Uninstall.exe", "uninstaller");
    Uninstall();
    EXPECT_FALSE(m.files.IsFile(driver + u".new"));
    EXPECT_FALSE(m.files.IsFile(driver));
}

}  // namespace
