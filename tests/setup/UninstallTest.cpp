// The uninstaller takes back exactly what the install log lists, only in the installer's places,
// and nothing at all without an intact log.
#include <gtest/gtest.h>

#include <algorithm>

#include "InstallLog.h"
#include "InstallSequence.h"
#include "InstalledArtefacts.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "UninstallSequence.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kUninstaller = kInstall + u"Uninstall.exe";
const std::u16string kLog = kInstall + u"Install.log";
const std::u16string kUserFolder = u"C:\\Users\\me\\AppData\\Roaming\\QLN Audio";
const std::u16string kNeighbour = u"C:\\Program Files\\Neighbour";

std::vector<LogEntry> LogOf(MemoryFiles& files) {
    const auto bytes = files.ReadWholeFile(kLog, kInstallLogLimit);
    if (!bytes)
        return {};
    return ParseInstallLog(*bytes).value_or(std::vector<LogEntry>{});
}

class Uninstall : public ::testing::Test {
protected:
    void SetUp() override {
        m.LoadHeadsetGroup();
        m.PlugHeadset();
        m.state.Folders.SystemFolder = u"C:\\Windows\\SysWOW64\\";
        // Someone else's program beside ours, and its own start-menu folder.
        m.files.AddFile(kNeighbour + u"\\keep.txt", "theirs");
        m.files.AddFile(m.shortcuts.programs + u"\\Neighbour\\Neighbour.lnk", "link");
    }

    void Install() {
        InstallSequence(m.ports, m.state).Install();
        // What Windows and the user add after the installation.
        m.registry.CreateKey(RegistryHive::LocalMachine,
                             u"SYSTEM\\CurrentControlSet\\Services\\UAExt\\Enum");
        m.files.AddFile(kUserFolder + u"\\LastProfile.ini", "profile");
        m.files.AddFile(kInstall + u"Skin\\Added\\SkinSetting.ini", "a skin added later");
        m.devices.devices[0].upperFilters = {u"UAExt"};
        m.files.log.clear();
    }

    UninstallOutcome Run() { return UninstallSequence(m.ports, m.state).Uninstall(kUninstaller); }

    bool KeyExists(const std::u16string& path) {
        return m.registry.Find(RegistryHive::LocalMachine, path) != nullptr;
    }
    bool NothingRemoved() const {
        return std::none_of(m.files.log.begin(), m.files.log.end(), [](const std::string& line) {
            return line.rfind("delete", 0) == 0 || line.rfind("rmdir", 0) == 0 ||
                   line.rfind("at reboot", 0) == 0 || line.rfind("remove", 0) == 0;
        });
    }
    void ExpectNeighbourKept() {
        EXPECT_EQ(m.files.Read(kNeighbour + u"\\keep.txt"), "theirs");
        EXPECT_TRUE(m.files.IsFile(m.shortcuts.programs + u"\\Neighbour\\Neighbour.lnk"));
    }

    SetupMachine m;
};

TEST_F(Uninstall, RemovesWhatTheLogListsAndKeepsWhatOthersAdded) {
    Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    EXPECT_EQ(Run(), UninstallOutcome::Removed);

    EXPECT_TRUE(m.services.services[kServiceName].deleted);
    EXPECT_TRUE(m.devices.devices[0].upperFilters.empty());
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\AudioDeviceService.exe"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu"));
    EXPECT_FALSE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));

    // The later skin keeps its folders; the running uninstaller and the install folder go at
    // the next restart.
    EXPECT_EQ(m.files.FilesBelow(kInstall),
              (std::vector<std::string>{"Skin\\Added\\SkinSetting.ini", "Uninstall.exe.removed"}));
    EXPECT_FALSE(m.files.IsFolder(kInstall + u"Skin\\Blue"));
    EXPECT_FALSE(m.files.IsFolder(kInstall + u"Manual"));
    EXPECT_EQ(
        m.files.deleteAtReboot,
        (std::vector<std::u16string>{kUninstaller + u".removed", u"C:\\Program Files\\QLN Audio"}));
    EXPECT_EQ(m.files.FilesBelow(kUserFolder), std::vector<std::string>{"LastProfile.ini"});
    EXPECT_FALSE(m.files.IsFolder(m.shortcuts.programs + u"\\QLN Audio"));
    ExpectNeighbourKept();

    const MemoryRegistry::Key* run = m.registry.Find(RegistryHive::LocalMachine, kRunKeyPath);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->values.count(u"audiopanelapp"), 0u);
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
    EXPECT_FALSE(KeyExists(u"SOFTWARE\\QLN USB DeviceId Group"));
    EXPECT_FALSE(KeyExists(u"SOFTWARE\\QLN HID DeviceId Group"));
}

// Each value of the installed artefacts' table goes into its key, hive and view, is listed, and
// is taken back; a shared key keeps what others wrote into it.
TEST_F(Uninstall, EveryValueOfTheTableIsWrittenListedAndTakenBack) {
    const auto lower = [](std::u16string name) {
        for (char16_t& c : name)
            c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
        return name;
    };
    for (const InstalledKey* key : InstalledKeys()) {
        if (!key->own)
            m.registry.CreateKey(key->hive, key->path, key->view)->SetString(u"Other", u"theirs");
    }
    Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    const std::vector<LogEntry> log = LogOf(m.files);
    const auto find = [&](const InstalledKey& key) {
        return m.registry.Find(key.hive, key.path, key.view);
    };
    for (const InstalledValue& value : InstalledValues()) {
        const std::u16string name = InstalledValueName(value, m.state.Folders);
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        ASSERT_NE(find(value.key), nullptr);
        EXPECT_EQ(find(value.key)->types.count(lower(name)), 1u);
        const LogEntry listed = value.key.own ? LogEntry{LogEntryKind::Key, value.key.path, {}}
                                              : LogEntry{LogEntryKind::Value, value.key.path, name};
        EXPECT_NE(std::find(log.begin(), log.end(), listed), log.end());
    }

    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    for (const InstalledValue& value : InstalledValues()) {
        const std::u16string name = InstalledValueName(value, m.state.Folders);
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        if (value.key.own) {
            EXPECT_EQ(find(value.key), nullptr);
            continue;
        }
        ASSERT_NE(find(value.key), nullptr);
        EXPECT_EQ(find(value.key)->types.count(lower(name)), 0u);
        EXPECT_EQ(find(value.key)->types.count(u"other"), 1u);
    }
}

TEST_F(Uninstall, UnbindsTheFilterBeforeItsFileIsDeleted) {
    Install();
    Run();
    const auto& log = m.files.log;
    const auto unbind = std::find(log.begin(), log.end(), "unbind");
    const auto driver =
        std::find(log.begin(), log.end(), "remove C:\\Windows\\System32\\drivers\\UAExt.sys");
    ASSERT_NE(unbind, log.end());
    ASSERT_NE(driver, log.end());
    EXPECT_LT(unbind - log.begin(), driver - log.begin());
}

TEST_F(Uninstall, FilterInSecondPlaceOrOutsideTheGroupIsUnboundBeforeTheDriverGoes) {
    Install();
    // The installed configuration is gone: no group is known.
    m.state.UsbDeviceIds.Clear();
    m.devices.devices[0].upperFilters = {u"Vendor", u"UAExt"};
    FakeDevice other;
    other.hardwareIds = {u"USB\\VID_1234&PID_0001"};
    other.upperFilters = {u"UAExt", u"Other", u"Last"};
    m.devices.devices.push_back(other);
    m.devices.devices[0].restarts.clear();
    EXPECT_EQ(Run(), UninstallOutcome::Removed);

    EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"Vendor"});
    EXPECT_EQ(m.devices.devices[1].upperFilters, (std::vector<std::u16string>{u"Other", u"Last"}));
    for (const FakeDevice& device : m.devices.devices)
        EXPECT_EQ(device.restarts, (std::vector<std::string>{"disable", "enable", "flags"}));
    const auto& log = m.files.log;
    const auto lastUnbind = std::find(log.rbegin(), log.rend(), "unbind");
    const auto driver =
        std::find(log.begin(), log.end(), "remove C:\\Windows\\System32\\drivers\\UAExt.sys");
    ASSERT_NE(lastUnbind, log.rend());
    ASSERT_NE(driver, log.end());
    EXPECT_LT(log.rend() - lastUnbind - 1, driver - log.begin());
    EXPECT_FALSE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));
}

TEST_F(Uninstall, DriverFileAndKeyStayWhileADeviceStillListsTheFilter) {
    Install();
    m.devices.devices[0].filtersWriteFails = true;
    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"UAExt"});
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_TRUE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));
    EXPECT_TRUE(m.Traced("##### A device may still list the filter: driver kept #####\n"));
    // The rest of the removal goes on; the log keeps the driver's entries for a later run.
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\AudioDeviceService.exe"));
    EXPECT_TRUE(KeyExists(kUninstallKeyPath));  // the way to that run

    m.devices.allListFails = true;  // nothing known about the devices: nothing risked
    m.devices.devices[0].filtersWriteFails = false;
    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));

    m.devices.allListFails = false;  // a later run, once the devices can be read again
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_TRUE(m.devices.devices[0].upperFilters.empty());
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_FALSE(KeyExists(u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));
}

TEST_F(Uninstall, FileInUseStaysListedForALaterRunAndTheRestGoes) {
    Install();
    m.files.inUse.insert(kInstall + u"AudioPanelApp.exe");
    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_TRUE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
    EXPECT_TRUE(KeyExists(kUninstallKeyPath));
    // The file goes at the restart; the uninstaller stays for a run after it.
    EXPECT_EQ(m.files.deleteAtReboot, std::vector<std::u16string>{kInstall + u"AudioPanelApp.exe"});

    const std::vector<LogEntry> left = LogOf(m.files);
    EXPECT_NE(std::find(left.begin(), left.end(),
                        LogEntry{LogEntryKind::File, kInstall + u"AudioPanelApp.exe", {}}),
              left.end());
    EXPECT_NE(
        std::find(left.begin(), left.end(), LogEntry{LogEntryKind::Key, kUninstallKeyPath, {}}),
        left.end());

    m.files.inUse.clear();
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
}

// A program that is ending (the panel, the stopped service) lets go of its file a moment later.
TEST_F(Uninstall, WaitsBrieflyForAFileItsProgramIsStillLettingGo) {
    Install();
    m.files.inUse.insert(kInstall + u"AudioPanelApp.exe");
    m.files.inUse.insert(u"C:\\Windows\\System32\\AudioDeviceService.exe");
    int waits = 0;
    m.system.onSleep = [&] {
        if (++waits == 3)
            m.files.inUse.clear();
    };
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\AudioDeviceService.exe"));
}

// Neither a deleted nor a cut-short configuration matters: the uninstaller takes no path from it.
TEST_F(Uninstall, AConfigurationWithoutNamesChangesNothing) {
    Install();
    _APPLICATION_FOLDER_PATH empty;
    empty.SystemDirectory = m.state.Folders.SystemDirectory;
    empty.SystemFolder = m.state.Folders.SystemFolder;
    m.state.Folders = empty;
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
    ExpectNeighbourKept();
    EXPECT_TRUE(m.files.IsFolder(u"C:\\Program Files"));
}

TEST_F(Uninstall, AfterACancelledInstallationOnlyWhatWasWrittenGoes) {
    m.window.onProgress = [this](int percent) {
        if (percent == 80)  // inside step 4: steps 5 and later never run
            m.state.StopRequested = true;
    };
    Install();
    ASSERT_FALSE(m.state.InstallSucceeded);
    ASSERT_FALSE(m.files.IsFile(kInstall + u"AudioConfig.cfg"));
    EXPECT_EQ(Run(), UninstallOutcome::Removed);
    EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
    EXPECT_FALSE(m.files.IsFile(u"C:\\Windows\\System32\\drivers\\UAExt.sys"));
    EXPECT_FALSE(KeyExists(kUninstallKeyPath));
    ExpectNeighbourKept();
}

TEST_F(Uninstall, NoLogOrADamagedOneRemovesNothing) {
    Install();
    const std::vector<uint8_t> intact = *m.files.ReadWholeFile(kLog, kInstallLogLimit);
    std::vector<uint8_t> flipped = intact;
    flipped[flipped.size() / 2] ^= 0x01;
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> logs = {
        {"empty", {}},
        {"cut short", std::vector<uint8_t>(intact.begin(), intact.begin() + intact.size() / 2)},
        {"last line cut", std::vector<uint8_t>(intact.begin(), intact.end() - 4)},
        {"one bit changed", flipped},
        {"no byte-order mark", std::vector<uint8_t>(intact.begin() + 2, intact.end())},
    };
    for (const auto& [name, bytes] : logs) {
        m.files.AddFile(kLog, std::string(bytes.begin(), bytes.end()));
        m.files.log.clear();
        EXPECT_EQ(Run(), UninstallOutcome::DamagedLog) << name;
        EXPECT_TRUE(NothingRemoved()) << name;
    }
    m.files.DeleteOneFile(kLog);
    m.files.log.clear();
    EXPECT_EQ(Run(), UninstallOutcome::NoLog);
    EXPECT_TRUE(NothingRemoved());
    EXPECT_FALSE(m.services.services[kServiceName].deleted);
    EXPECT_TRUE(KeyExists(kUninstallKeyPath));
    EXPECT_EQ(m.devices.devices[0].upperFilters, std::vector<std::u16string>{u"UAExt"});
}

TEST_F(Uninstall, EntriesOutsideTheInstallersPlacesAreRefused) {
    m.files.AddFile(kUninstaller, "uninstaller");
    m.files.AddFile(u"C:\\Windows\\System32\\kernel32.dll", "system");
    m.registry.CreateKey(RegistryHive::LocalMachine, u"SOFTWARE\\Other");
    m.registry.CreateKey(RegistryHive::LocalMachine, u"SOFTWARE\\Other")->SetString(u"x", u"y");
    m.services.services[u"Other"];
    m.services.services[kServiceName].imagePath = u"\"C:\\Program Files\\Neighbour\\svc.exe\"";
    const std::vector<LogEntry> hostile = {
        {LogEntryKind::Folder, u"C:\\Program Files", {}},
        {LogEntryKind::Folder, kNeighbour, {}},
        {LogEntryKind::File, kNeighbour + u"\\keep.txt", {}},
        {LogEntryKind::File, kInstall + u"..\\Neighbour\\keep.txt", {}},
        {LogEntryKind::File, kInstall + u".\\..\\Neighbour\\keep.txt", {}},
        {LogEntryKind::File, u"c:/program files/neighbour/keep.txt", {}},
        {LogEntryKind::File, u"C:\\Windows\\System32\\kernel32.dll", {}},
        {LogEntryKind::Folder, m.shortcuts.programs, {}},
        {LogEntryKind::File, m.shortcuts.programs + u"\\Neighbour\\..\\..\\x.lnk", {}},
        {LogEntryKind::Key, u"SOFTWARE\\Other", {}},
        {LogEntryKind::Key, u"SOFTWARE", {}},
        {LogEntryKind::Value, u"SOFTWARE\\Other", u"x"},
        {LogEntryKind::Service, u"Other", {}},
        // Our name, someone else's program.
        {LogEntryKind::Service, kServiceName, {}},
    };
    const std::vector<uint8_t> bytes = FormatInstallLog(hostile);
    m.files.AddFile(kLog, std::string(bytes.begin(), bytes.end()));
    m.files.log.clear();

    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_TRUE(NothingRemoved());
    ExpectNeighbourKept();
    EXPECT_TRUE(m.files.IsFile(u"C:\\Windows\\System32\\kernel32.dll"));
    EXPECT_TRUE(KeyExists(u"SOFTWARE\\Other"));
    EXPECT_FALSE(m.services.services[u"Other"].deleted);
    EXPECT_FALSE(m.services.services[kServiceName].deleted);
}

// An earlier installation listed a per-user copy. While the uninstaller waits for that file,
// the user's programs can put a junction in place of its folder: nothing behind it is deleted.
TEST_F(Uninstall, AJunctionSwappedInWhileWaitingIsNotFollowed) {
    Install();
    const std::u16string userCopy = kUserFolder + u"\\AudioConfig.cfg";
    std::vector<LogEntry> entries = LogOf(m.files);
    entries.push_back({LogEntryKind::Folder, kUserFolder, {}});
    entries.push_back({LogEntryKind::File, userCopy, {}});
    const std::vector<uint8_t> bytes = FormatInstallLog(entries);
    m.files.AddFile(kLog, std::string(bytes.begin(), bytes.end()));
    m.files.AddFile(userCopy, "the user's");
    const std::u16string elsewhere = u"C:\\Windows\\System32\\Tasks";
    m.files.AddFile(elsewhere + u"\\AudioConfig.cfg", "not ours");
    m.files.inUse.insert(userCopy);
    m.system.onSleep = [&] {
        m.files.links[kUserFolder] = elsewhere;
        m.files.inUse.clear();
    };

    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_EQ(m.files.Read(elsewhere + u"\\AudioConfig.cfg"), "not ours");
    EXPECT_TRUE(m.files.IsFolder(elsewhere));
    const std::vector<LogEntry> left = LogOf(m.files);
    EXPECT_NE(std::find(left.begin(), left.end(), LogEntry{LogEntryKind::File, userCopy, {}}),
              left.end());
    // Everything else still goes.
    EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
}

TEST_F(Uninstall, JunctionsAndSymbolicLinksAreNotFollowed) {
    Install();
    // The skin folder replaced by a junction into the neighbour's folder, and the start-menu
    // folder by a link to the neighbour's.
    m.files.AddFile(kNeighbour + u"\\Blue\\SkinSetting.ini", "theirs");
    m.files.links[kInstall + u"Skin"] = kNeighbour;
    m.files.links[m.shortcuts.programs + u"\\QLN Audio"] = m.shortcuts.programs + u"\\Neighbour";
    m.files.AddFile(m.shortcuts.programs + u"\\Neighbour\\Audio Panel.lnk", "theirs");

    EXPECT_EQ(Run(), UninstallOutcome::SomeLeft);
    EXPECT_EQ(m.files.Read(kNeighbour + u"\\Blue\\SkinSetting.ini"), "theirs");
    EXPECT_TRUE(m.files.IsFile(m.shortcuts.programs + u"\\Neighbour\\Audio Panel.lnk"));
    ExpectNeighbourKept();
    // Everything not reached through a link still goes.
    EXPECT_FALSE(m.files.IsFile(kInstall + u"AudioPanelApp.exe"));
}

}  // namespace
