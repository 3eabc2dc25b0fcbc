// An uninstallation that can always be completed: read-only copies, entries of other accounts and
// other installations, files in use, and the way back (the uninstall entry and its link) kept
// until nothing else is left.
#include <gtest/gtest.h>

#include <algorithm>

#include "InstallLog.h"
#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "UninstallSequence.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kUninstaller = kInstall + u"Uninstall.exe";
const std::u16string kLog = kInstall + u"Install.log";
const std::u16string kDriver = u"C:\\Windows\\System32\\drivers\\UAExt.sys";
const std::u16string kDriverKey = u"SYSTEM\\CurrentControlSet\\Services\\UAExt";
const std::u16string kServiceProgram = u"C:\\Windows\\System32\\AudioDeviceService.exe";
const std::u16string kProfileList = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const std::u16string kSystemProfile = u"C:\\Windows\\system32\\config\\systemprofile";

std::vector<LogEntry> LogOf(MemoryFiles& files, const std::u16string& path = kLog) {
    const auto bytes = files.ReadWholeFile(path, kInstallLogLimit);
    if (!bytes)
        return {};
    return ParseInstallLog(*bytes).value_or(std::vector<LogEntry>{});
}

bool Lists(const std::vector<LogEntry>& log, const LogEntry& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

class Completion : public ::testing::Test {
protected:
    void SetUp() override {
        m.LoadHeadsetGroup();
        m.PlugHeadset();
        m.system.environment[u"SystemRoot"] = u"C:\\Windows";
        m.system.environment[u"SystemDrive"] = u"C:";
        m.system.environment[u"USERPROFILE"] = u"C:\\Users\\me";
        AddProfile(u"S-1-5-18", u"%systemroot%\\system32\\config\\systemprofile");
        AddProfile(u"S-1-5-21-1-1-1-1001", u"C:\\Users\\me");
        AddProfile(u"S-1-5-21-1-1-1-500", u"C:\\Users\\admin");
        m.registry.CreateKey(RegistryHive::LocalMachine, kProfileList, RegistryView::Native64)
            ->SetExpandString(u"ProfilesDirectory", u"%SystemDrive%\\Users");
    }

    void AddProfile(const std::u16string& sid, const std::u16string& path) {
        m.registry
            .CreateKey(RegistryHive::LocalMachine, kProfileList + u"\\" + sid,
                       RegistryView::Native64)
            ->SetExpandString(u"ProfileImagePath", path);
    }

    // The account the program runs as: its profile and roaming application data.
    void RunAs(const std::u16string& profile) {
        m.system.environment[u"USERPROFILE"] = profile;
        m.system.environment[u"APPDATA"] = profile + u"\\AppData\\Roaming";
        m.files.AddFolder(profile + u"\\AppData\\Roaming");
    }

    void Install() {
        InstallSequence(m.ports, m.state).Install();
        ASSERT_TRUE(m.state.InstallSucceeded);
        m.devices.devices[0].upperFilters = {u"UAExt"};
        m.files.log.clear();
    }

    // An earlier version's installer made the per-user copy itself and listed it.
    void ListEarlierUserCopy(const std::u16string& profile) {
        const std::u16string folder = profile + u"\\AppData\\Roaming\\QLN Audio";
        m.files.AddFolder(folder);
        m.files.AddFile(folder + u"\\AudioConfig.cfg", "copy");
        std::vector<LogEntry> entries = LogOf(m.files);
        entries.push_back({LogEntryKind::Folder, folder, {}});
        entries.push_back({LogEntryKind::File, folder + u"\\AudioConfig.cfg", {}});
        const std::vector<uint8_t> bytes = FormatInstallLog(entries);
        m.files.AddFile(kLog, std::string(bytes.begin(), bytes.end()));
    }

    UninstallOutcome Run(const std::u16string& uninstaller = kUninstaller) {
        return UninstallSequence(m.ports, m.state).Uninstall(uninstaller);
    }

    bool KeyExists(const std::u16string& path, RegistryView view = RegistryView::Default) {
        return m.registry.Find(RegistryHive::LocalMachine, path, view) != nullptr;
    }
    std::u16string Link(const std::u16string& name) const {
        return m.shortcuts.programs + u"\\QLN Audio\\" + name + u".lnk";
    }

    SetupMachine m;
};

// Copied from a CD, every file carries the read-only attribute.
TEST_F(Completion, ReadOnlySourcesGiveWritableCopiesThatALaterInstallationReplaces) {
    const std::vector<std::u16string> sources = {
        u"C:\\Media\\AudioConfig.cfg", u"C:\\Media\\Setup.ico",
        u"C:\\Media\\Skin\\Blue\\SkinSetting.ini", u"C:\\Media\\Language\\English\\Language.ini",
        u"C:\\Media\\Manual\\English\\Manual.pdf"};
    for (const std::u16string& source : sources)
        m.files.SetReadOnly(source);
    const std::vector<std::u16string> copies = {
        kInstall + u"AudioConfig.cfg", kInstall + u"Setup.ico",
        kInstall + u"Skin\\Blue\\SkinSetting.ini", kInstall + u"Language\\English\\Language.ini",
        kInstall + u"Manual\\English\\Manual.pdf"};
    Install();
    for (const std::u16string& copy : copies) {
        EXPECT_TRUE(m.files.IsFile(copy)) << Narrow8(copy);
        EXPECT_FALSE(m.files.IsReadOnly(copy)) << Narrow8(copy);
    }

    // An installation made before this fix left its copies read-only.
    for (const std::u16string& copy : copies)
        m.files.SetReadOnly(copy);
    m.files.AddFile(u"C:\\Media\\Skin\\Blue\\SkinSetting.ini", "new skin");
    m.files.SetReadOnly(u"C:\\Media\\Skin\\Blue\\SkinSetting.ini");
    m.state.InstallSucceeded = false;
    Install();
    EXPECT_EQ(m.files.Read(kInstall + u"Skin\\Blue\\SkinSetting.ini"), "new skin");
    EXPECT_FALSE(m.files.IsReadOnly(kInstall + u"Skin\\Blue\\SkinSetting.ini"));
}

TEST_F(Completion, ReadOnlyFilesTheLogListsAreRemoved) {
    Install();
    ListEarlierUserCopy(u"C:\\Users\\me");
    const std::vector<std::u16string> listed = {
        kInstall + u"AudioConfig.cfg", kInstall + u"Skin\\Blue\\SkinSetting.ini",
        u"C:\\Users\\me\\AppData\\Roaming\\QLN Audio\\AudioConfig.cfg", kDriver};
    for (const std::u16string& file : listed)
        m.files.SetReadOnly(file);
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    for (const std::u16string& file : listed)
        EXPECT_FALSE(m.files.IsFile(file)) << Narrow8(file);
}

// Another administrator, or SYSTEM from a deployment tool, runs the uninstaller: the installing
// account's %APPDATA% is not the running one's.
TEST_F(Completion, EntriesInAnotherAccountsProfileAreDroppedNotFailed) {
    struct Case {
        const char* name;
        std::u16string installedAs;
        std::u16string removedAs;
    };
    const std::vector<Case> cases = {
        {"another administrator", u"C:\\Users\\me", u"C:\\Users\\admin"},
        {"SYSTEM", u"C:\\Users\\me", kSystemProfile},
        {"installed by SYSTEM", kSystemProfile, u"C:\\Users\\me"},
        {"an account no longer listed", u"C:\\Users\\gone", u"C:\\Users\\me"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunAs(c.installedAs);
        m.state.InstallSucceeded = false;
        Install();
        ListEarlierUserCopy(c.installedAs);
        const std::u16string userCopy =
            c.installedAs + u"\\AppData\\Roaming\\QLN Audio\\AudioConfig.cfg";
        ASSERT_TRUE(m.files.IsFile(userCopy));

        RunAs(c.removedAs);
        m.trace.clear();
        EXPECT_EQ(Run(), UninstallOutcome::Removed);
        EXPECT_TRUE(m.files.IsFile(userCopy));  // not ours to touch
        EXPECT_TRUE(m.Traced("##### Not ours, dropped: " + Narrow8(userCopy) + " #####\n"));
        EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
        EXPECT_FALSE(KeyExists(kUninstallKeyPath));
        m.files.DeleteOneFile(userCopy);
        m.files.DeleteOneFile(kUninstaller + u".removed");
    }
}

TEST_F(Completion, AServiceOfOurNameRunningAnotherProgramIsDroppedNotFailed) {
    Install();
    m.services.services[kServiceName].imagePath = u"\"C:\\Program Files\\Other\\svc.exe\"";
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_FALSE(m.services.services[kServiceName].deleted);
    EXPECT_TRUE(m.Traced("***** Service not ours, kept *****\n"));
}

// A refused entry in the running account's own profile is still a failure.
TEST_F(Completion, ARefusedEntryInTheOwnProfileStaysAFailure) {
    Install();
    ListEarlierUserCopy(u"C:\\Users\\me");
    m.files.links[u"C:\\Users\\me\\AppData\\Roaming\\QLN Audio"] = u"C:\\Users\\me\\Documents";
    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
}

// The panel of another logged-on user holds its program file.
TEST_F(Completion, FilesInUseGoAtRestartAndTheUninstallEntryAndLinkStayUntilTheEnd) {
    Install();
    m.files.inUse.insert(kInstall + u"AudioPanelApp.exe");
    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_NE(std::find(m.files.deleteAtReboot.begin(), m.files.deleteAtReboot.end(),
                        kInstall + u"AudioPanelApp.exe"),
              m.files.deleteAtReboot.end());
    // The way back: the entry in Programs and Features, and the uninstaller's link.
    EXPECT_TRUE(KeyExists(kUninstallKeyPath));
    EXPECT_TRUE(m.files.IsFile(Link(u"Uninstall Audio")));
    EXPECT_TRUE(m.files.IsFile(kUninstaller));
    const std::vector<LogEntry> left = LogOf(m.files);
    EXPECT_TRUE(Lists(left, {LogEntryKind::Key, kUninstallKeyPath, {}}));
    EXPECT_TRUE(Lists(left, {LogEntryKind::File, Link(u"Uninstall Audio"), {}}));
    // Everything else went.
    EXPECT_FALSE(m.files.IsFile(kDriver));
    EXPECT_FALSE(KeyExists(u"SOFTWARE\\QLN USB DeviceId Group"));

    // After the restart the file is gone; the next run ends it.
    m.files.inUse.clear();
    m.files.DeleteOneFile(kInstall + u"AudioPanelApp.exe");
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
    EXPECT_FALSE(m.files.IsFolder(m.shortcuts.programs + u"\\QLN Audio"));
}

TEST_F(Completion, ADriverTheMediaClassStillListsIsKept) {
    Install();
    m.registry
        .CreateKey(RegistryHive::LocalMachine,
                   u"SYSTEM\\CurrentControlSet\\Control\\Class\\"
                   u"{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}")
        ->SetMultiString(u"UpperFilters", {u"ksthunk", u"uaext"});
    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_TRUE(m.files.IsFile(kDriver));
    EXPECT_TRUE(KeyExists(kDriverKey));
    EXPECT_TRUE(KeyExists(kUninstallKeyPath));
}

// An installation into another folder made before the installer noticed others (or one of the
// other width, whose uninstall entry is in the other registry view) shares the system parts.
class SharedParts : public Completion {
protected:
    void InstallBoth(RegistryView view) {
        Install();
        const std::vector<uint8_t> bytes = FormatInstallLog(theirs);
        m.files.AddFile(kSecond + u"\\Install.log", std::string(bytes.begin(), bytes.end()));
        m.files.AddFile(kSecond + u"\\Uninstall.exe", "uninstaller");
        m.registry.CreateKey(RegistryHive::LocalMachine, kUninstallKeyPath, view)
            ->SetString(u"UninstallString", u"\"" + kSecond + u"\\Uninstall.exe\"");
    }

    void ExpectSystemPartsKept() {
        EXPECT_TRUE(m.files.IsFile(kDriver));
        EXPECT_TRUE(KeyExists(kDriverKey));
        EXPECT_TRUE(m.files.IsFile(kServiceProgram));
        EXPECT_FALSE(m.services.services[kServiceName].deleted);
        // Its driver stays bound.
        EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"UAExt"});
        EXPECT_TRUE(m.files.IsFile(Link(u"Audio Panel")));
        // What is ours alone goes; the other installation's log is not touched.
        EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
        EXPECT_FALSE(m.files.IsFile(Link(u"Uninstall Audio")));
        EXPECT_EQ(LogOf(m.files, kSecond + u"\\Install.log"), theirs);
    }
    bool RunValueExists() {
        const MemoryRegistry::Key* run = m.registry.Find(RegistryHive::LocalMachine, kRunKeyPath);
        return run && run->values.count(u"audiopanelapp") == 1;
    }

    const std::u16string kSecond = u"C:\\Program Files\\QLN Audio 2";
    const std::vector<LogEntry> theirs = {
        {LogEntryKind::Folder, kSecond, {}},
        {LogEntryKind::Key, kDriverKey, {}},
        {LogEntryKind::File, kDriver, {}},
        {LogEntryKind::File, kServiceProgram, {}},
        {LogEntryKind::Service, kServiceName, {}},
        {LogEntryKind::Value, kRunKeyPath, u"AudioPanelApp"},
        {LogEntryKind::File, Link(u"Audio Panel"), {}},
        {LogEntryKind::Key, kUninstallKeyPath, {}},
    };
};

TEST_F(SharedParts, SameRegistryViewKeepsTheSystemPartsTheUninstallEntryAndTheRunValue) {
    InstallBoth(RegistryView::Default);
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    ExpectSystemPartsKept();
    EXPECT_TRUE(KeyExists(kUninstallKeyPath));
    EXPECT_TRUE(RunValueExists());
}

// The keys below SOFTWARE of the other width are its own, in its own view.
TEST_F(SharedParts, OtherRegistryViewKeepsTheSystemPartsAndRemovesOurKeys) {
    InstallBoth(RegistryView::Wow32);
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    ExpectSystemPartsKept();
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
    EXPECT_TRUE(KeyExists(kUninstallKeyPath, RegistryView::Wow32));
    EXPECT_FALSE(RunValueExists());
}

}  // namespace
