// Steps 3 to 6 and what they share: folder copies, shortcuts, the Run value, the uninstall key
// and file versions.
#include <gtest/gtest.h>

#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kPrograms =
    u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\QLN Audio\\";

class FolderTree : public ::testing::Test {
protected:
    SetupMachine m;
};

TEST_F(FolderTree, CopiesIntoASubfolderNamedAfterTheSource) {
    m.files.AddFile(u"C:\\Media\\Skin\\Blue\\Frame.png", "png");
    m.files.AddFile(u"C:\\Media\\Skin\\Blue\\Deep\\x.bmp", "bmp");
    m.files.AddFile(u"C:\\Media\\Skin\\top.txt", "top");
    m.files.AddFolder(u"C:\\Target");
    EXPECT_TRUE(CopyFolderTree(m.files, u"C:\\Media\\Skin\\", u"C:\\Target\\"));
    EXPECT_EQ(m.files.FilesBelow(u"C:\\Target"),
              (std::vector<std::string>{"Skin\\Blue\\Deep\\x.bmp", "Skin\\Blue\\Frame.png",
                                        "Skin\\Blue\\SkinSetting.ini", "Skin\\top.txt"}));
    EXPECT_EQ(m.files.Read(u"C:\\Target\\Skin\\Blue\\Deep\\x.bmp"), "bmp");
    // Each subfolder is created twice: by the loop and by the nested call, which fails.
    EXPECT_TRUE(m.Traced("##### Create Directory = C:\\Target\\Skin\n"));
    EXPECT_EQ(std::count(m.trace.begin(), m.trace.end(),
                         "##### Create Directory = C:\\Target\\Skin\\Blue\n"),
              2);
    EXPECT_EQ(std::count(m.trace.begin(), m.trace.end(), "***** Create Directory FAIL! *****\n"),
              2);
}

TEST_F(FolderTree, SameLastComponentCopiesStraightIn) {
    m.files.AddFile(u"C:\\A\\Data\\f.txt", "f");
    m.files.AddFolder(u"C:\\B\\Data");
    EXPECT_TRUE(CopyFolderTree(m.files, u"C:\\A\\Data", u"C:\\B\\Data"));
    EXPECT_EQ(m.files.FilesBelow(u"C:\\B"), std::vector<std::string>{"Data\\f.txt"});
}

TEST_F(FolderTree, OverwritesFilesAndKeepsOnesTheSourceLacks) {
    m.files.AddFile(u"C:\\A\\Data\\f.txt", "new");
    m.files.AddFile(u"C:\\B\\Data\\f.txt", "old");
    m.files.AddFile(u"C:\\B\\Data\\old.txt", "kept");
    EXPECT_TRUE(CopyFolderTree(m.files, u"C:\\A\\Data\\", u"C:\\B\\"));
    EXPECT_EQ(m.files.Read(u"C:\\B\\Data\\f.txt"), "new");
    EXPECT_EQ(m.files.Read(u"C:\\B\\Data\\old.txt"), "kept");
}

TEST_F(FolderTree, PathWithoutBackslashIsRefusedAndMissingSourceMakesOnlyTheFolder) {
    EXPECT_FALSE(CopyFolderTree(m.files, u"Skin", u"C:\\Target\\"));
    EXPECT_FALSE(CopyFolderTree(m.files, u"C:\\Media\\Skin\\", u"Target\\"));
    EXPECT_TRUE(m.files.log.empty());
    m.files.AddFolder(u"C:\\Target");
    EXPECT_TRUE(CopyFolderTree(m.files, u"C:\\Media\\None\\", u"C:\\Target\\"));
    EXPECT_TRUE(m.files.IsFolder(u"C:\\Target\\None"));
    EXPECT_TRUE(m.files.FilesBelow(u"C:\\Target").empty());
}

TEST_F(FolderTree, FirstPlainFileSkipsFoldersAndDotNames) {
    m.files.AddFolder(u"C:\\M\\Sub");
    m.files.AddFile(u"C:\\M\\.hidden", "");
    EXPECT_EQ(FindFirstPlainFile(m.files, u"C:\\M\\"), std::nullopt);
    m.files.AddFile(u"C:\\M\\Guide.pdf", "");
    EXPECT_EQ(FindFirstPlainFile(m.files, u"C:\\M\\"), std::u16string(u"Guide.pdf"));
    EXPECT_EQ(FindFirstPlainFile(m.files, u"C:\\Nowhere\\"), std::nullopt);
}

TEST(Shortcuts, SavedInTheProductFolderOfTheCommonPrograms) {
    SetupMachine m;
    CreateShortcut(m.shortcuts, m.files, u"QLN Audio", u"C:\\x.exe", u"Panel");
    EXPECT_EQ(m.shortcuts.saved.at(kPrograms + u"Panel.lnk"), u"C:\\x.exe");
}

TEST(Shortcuts, FolderIsMadeEvenWhenSavingFailsButNotWithoutALinkObject) {
    SetupMachine m;
    m.shortcuts.createFails = true;
    CreateShortcut(m.shortcuts, m.files, u"QLN Audio", u"C:\\x.exe", u"Panel");
    EXPECT_FALSE(m.files.IsFolder(kPrograms));
    m.shortcuts.createFails = false;
    m.shortcuts.saveFails = true;
    CreateShortcut(m.shortcuts, m.files, u"QLN Audio", u"C:\\x.exe", u"Panel");
    EXPECT_TRUE(m.files.IsFolder(kPrograms));
    EXPECT_TRUE(m.shortcuts.saved.empty());
}

TEST(AppAndUninstaller, RegisterQuotedCommandsAndTheUninstallValues) {
    SetupMachine m;
    InstallSequence sequence(m.ports, m.state);
    ASSERT_EQ(sequence.Install_App(), 0u);
    ASSERT_EQ(sequence.Install_Uninstaller(), 0u);

    EXPECT_EQ(m.files.Read(kInstall + u"AudioPanelApp.exe"), "panel");
    EXPECT_EQ(m.files.Read(kInstall + u"Uninstall.exe"), "uninstaller");
    const MemoryRegistry::Key* run = m.registry.Find(RegistryHive::LocalMachine, kRunKeyPath);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->values.at(u"audiopanelapp").second,
              u"\"C:\\Program Files\\QLN Audio\\AudioPanelApp.exe\"");

    const MemoryRegistry::Key* uninstall =
        m.registry.Find(RegistryHive::LocalMachine, kUninstallKeyPath);
    ASSERT_NE(uninstall, nullptr);
    const auto value = [&](const char16_t* name) { return uninstall->values.at(name).second; };
    EXPECT_EQ(value(u"displayname"), u"QLN 7.1 USB Audio");
    EXPECT_EQ(value(u"uninstallstring"), u"\"C:\\Program Files\\QLN Audio\\Uninstall.exe\"");
    EXPECT_EQ(value(u"displayicon"), u"C:\\Program Files\\QLN Audio\\Uninstall.exe");
    EXPECT_EQ(value(u"displayversion"), u"1.2.3.4");
    EXPECT_EQ(value(u"publisher"), u"QLN");
    // What deployment tools read: a command that asks nothing, the folder, and no change or
    // repair offered by Windows for a product that has neither.
    EXPECT_EQ(value(u"quietuninstallstring"),
              u"\"C:\\Program Files\\QLN Audio\\Uninstall.exe\" /SILENT");
    EXPECT_EQ(value(u"installlocation"), kInstall);
    EXPECT_EQ(uninstall->dwords.at(u"nomodify"), 1u);
    EXPECT_EQ(uninstall->dwords.at(u"norepair"), 1u);

    EXPECT_EQ(m.shortcuts.saved.at(kPrograms + u"Audio Panel.lnk"),
              kInstall + u"AudioPanelApp.exe");
    EXPECT_EQ(m.shortcuts.saved.at(kPrograms + u"Uninstall Audio.lnk"),
              kInstall + u"Uninstall.exe");
    EXPECT_EQ(m.window.progress, (std::vector<int>{70, 80}));
}

// Counted from the sources before step 5 copies them: the payloads of this Windows, the trees
// and files beside the installer, the configuration twice, the chosen language's manual only.
TEST(AppAndUninstaller, EstimatedSizeCountsWhatTheInstallationPutsOnDisk) {
    for (const bool wow64 : {false, true}) {
        SetupMachine m;
        m.state.IsWow64 = wow64;
        m.files.AddFile(u"C:\\Media\\Skin\\Blue\\Frame.bmp", std::string(3000, 'x'));
        m.files.AddFile(u"C:\\Media\\Manual\\German\\Handbuch.pdf", std::string(9000, 'x'));
        m.resources.Add(RES_APP, u"APP", std::string(2000, 'p'));
        size_t bytes = 3000 + 2000 + std::string("uninstaller").size() +
                       std::string(wow64 ? "driver64" : "driver32").size() +
                       std::string(wow64 ? "service64" : "service32").size() +
                       std::string("skin").size() + std::string("[Setup]\r\n").size() +
                       2 * m.files.Read(u"C:\\Media\\AudioConfig.cfg").size() +
                       std::string("icon").size() + std::string("manual").size();
        m.files.AddFolder(kInstall);
        ASSERT_EQ(InstallSequence(m.ports, m.state).Install_Uninstaller(), 0u);
        const MemoryRegistry::Key* uninstall =
            m.registry.Find(RegistryHive::LocalMachine, kUninstallKeyPath);
        ASSERT_NE(uninstall, nullptr);
        EXPECT_EQ(uninstall->dwords.at(u"estimatedsize"), (bytes + 1023) / 1024) << wow64;
    }
}

TEST(AppAndUninstaller, UninstallKeyThatCannotBeWrittenDoesNotFailTheStep) {
    SetupMachine m;
    m.registry.Deny(RegistryHive::LocalMachine, kUninstallKeyPath);
    m.files.AddFolder(kInstall);
    EXPECT_EQ(InstallSequence(m.ports, m.state).Install_Uninstaller(), 0u);
    EXPECT_FALSE(WriteUninstallInfo(m.registry, m.state.UninstallInfo));
}

TEST(FilesStep, CopiesSkinsLanguagesConfigurationAndIconAndLeavesTheUsersCopyAlone) {
    SetupMachine m;
    m.files.AddFolder(kInstall);
    const std::u16string user = u"C:\\Users\\me\\AppData\\Roaming\\QLN Audio\\AudioConfig.cfg";
    m.files.AddFile(user, "[Skin]\r\nDefaultSkin=Red\r\n");
    EXPECT_EQ(InstallSequence(m.ports, m.state).Install_Files(), 0u);
    EXPECT_EQ(m.files.FilesBelow(kInstall),
              (std::vector<std::string>{"AudioConfig.cfg", "Language\\English\\Language.ini",
                                        "Setup.ico", "Skin\\Blue\\SkinSetting.ini"}));
    // The panel makes and keeps the user's copy; the user's choice survives a reinstallation.
    EXPECT_EQ(m.files.Read(user), "[Skin]\r\nDefaultSkin=Red\r\n");
    EXPECT_EQ(m.files.Read(u"C:\\Windows\\System32\\Windows6.1-KB3033929-x64.msu"), "msu");
    EXPECT_EQ(m.window.progress, std::vector<int>{90});
}

// Any program of the user's can put a junction where the per-user folder would be: the elevated
// installer must not write through it.
TEST(FilesStep, AJunctionInTheUsersProfileIsNotWrittenThrough) {
    SetupMachine m;
    const std::u16string elsewhere = u"C:\\Windows\\System32\\Tasks";
    m.files.AddFolder(elsewhere);
    m.files.links[u"C:\\Users\\me\\AppData\\Roaming\\QLN Audio"] = elsewhere;
    InstallSequence(m.ports, m.state).Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    EXPECT_TRUE(m.files.FilesBelow(elsewhere).empty());
    for (const std::string& call : m.files.log)
        EXPECT_EQ(call.find("AppData"), std::string::npos) << call;
}

TEST(ManualStep, CopiesTheChosenLanguagesManualAndLinksItsFirstFile) {
    SetupMachine m;
    m.files.AddFolder(kInstall);
    EXPECT_EQ(InstallSequence(m.ports, m.state).Install_Manual(), 0u);
    EXPECT_EQ(m.files.FilesBelow(kInstall),
              std::vector<std::string>{"Manual\\English\\Manual.pdf"});
    EXPECT_EQ(m.shortcuts.saved.at(kPrograms + u"User Manual.lnk"),
              kInstall + u"Manual\\English\\Manual.pdf");
}

TEST(ManualStep, ManualFolderWithOnlyDotFilesGivesNoCopyAndNoShortcut) {
    SetupMachine m;
    m.files.AddFolder(kInstall);
    m.files.AddFile(u"C:\\Media\\Manual\\German\\.keep", "");
    m.files.AddFile(u"C:\\Media\\AudioConfig.cfg", "[Language]\r\nDefaultLanguage=German\r\n");
    EXPECT_EQ(InstallSequence(m.ports, m.state).Install_Manual(), 0u);
    EXPECT_FALSE(m.files.IsFolder(kInstall + u"Manual"));
    EXPECT_TRUE(m.shortcuts.saved.empty());
}

struct VersionCase {
    const char* name;
    std::function<void(FakeSystem&)> arrange;
    uint32_t result;
    const char16_t* text;
};

class FileVersions : public ::testing::TestWithParam<VersionCase> {};

TEST_P(FileVersions, ReadsTheFixedBlock) {
    MemoryFiles files;
    FakeSystem system(files);
    system.versions[u"C:\\s.exe"] = {0xFEEF04BD, 0x00020001, 0x00040003};
    GetParam().arrange(system);
    std::u16string text = u"unchanged";
    EXPECT_EQ(ReadFileVersion(system, u"C:\\s.exe", text), GetParam().result);
    EXPECT_EQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    AllResults, FileVersions,
    ::testing::Values(
        VersionCase{"Read", [](FakeSystem&) {}, 0, u"2.1.4.3"},
        VersionCase{"OtherSignature", [](FakeSystem& s) { s.versions[u"C:\\s.exe"].signature = 1; },
                    0, u"unchanged"},
        VersionCase{"NoResource", [](FakeSystem& s) { s.versions.clear(); }, 1, u"unchanged"},
        VersionCase{"Unreadable", [](FakeSystem& s) { s.versionUnreadable = true; }, 2,
                    u"unchanged"},
        VersionCase{"NoBlock", [](FakeSystem& s) { s.versionBlockMissing = true; }, 3,
                    u"unchanged"},
        VersionCase{"EmptyBlock", [](FakeSystem& s) { s.versionBlockEmpty = true; }, 4,
                    u"unchanged"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
