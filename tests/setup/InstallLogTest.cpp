// The install log as the installer keeps it, the check of the configuration's names, and the
// replacement of files in the system folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "ConfigNames.h"
#include "InstallLog.h"
#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"

namespace {

const std::u16string kInstall = u"C:\\Program Files\\QLN Audio\\";
const std::u16string kLog = kInstall + u"Install.log";

std::vector<LogEntry> LogOf(MemoryFiles& files) {
    const auto bytes = files.ReadWholeFile(kLog, kInstallLogLimit);
    if (!bytes)
        return {};
    return ParseInstallLog(*bytes).value_or(std::vector<LogEntry>{});
}

bool Lists(const std::vector<LogEntry>& log, const LogEntry& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST(InstallLogFormat, RoundTripsEveryKindAndIsReadableText) {
    const std::vector<LogEntry> entries = {
        {LogEntryKind::Folder, u"C:\\Program Files\\QLN Audio", {}},
        {LogEntryKind::File, u"C:\\Program Files\\QLN Audio\\\u00e9t\u00e9.exe", {}},
        {LogEntryKind::Key, u"SOFTWARE\\QLN USB DeviceId Group", {}},
        {LogEntryKind::Value, kRunKeyPath, u"AudioPanelApp"},
        {LogEntryKind::Service, kServiceName, {}}};
    const std::vector<uint8_t> bytes = FormatInstallLog(entries);
    EXPECT_EQ(ParseInstallLog(bytes), entries);
    EXPECT_EQ(ParseInstallLog(FormatInstallLog({})), std::vector<LogEntry>{});

    // A written payload's entry carries its hash; one that is not 16 hex digits is damage.
    const uint8_t program[] = {'M', 'Z'};
    const LogEntry hashed{LogEntryKind::File,
                          u"C:\\Windows\\System32\\AudioDeviceService.exe",
                          {},
                          ContentHash(program, sizeof program)};
    const auto parsed = ParseInstallLog(FormatInstallLog({hashed}));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->at(0).contentHash, hashed.contentHash);
    EXPECT_NE(ContentHash(program, 1), hashed.contentHash);
    EXPECT_FALSE(
        ParseInstallLog(FormatInstallLog({{LogEntryKind::File, u"C:\\x.exe", {}, u"12345"}})));

    std::string ascii;
    for (size_t i = 2; i < bytes.size(); i += 2)
        ascii += static_cast<char>(bytes[i]);
    EXPECT_EQ(ascii.substr(0, 62),
              "QLN47xx install log 1\r\nFolder\tC:\\Program Files\\QLN Audio\r\nFile");
    EXPECT_NE(ascii.find("\r\nValue\tSOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\t"
                         "AudioPanelApp\r\nService\tAudioDeviceService\r\nEnd\t5\t"),
              std::string::npos);
}

TEST(InstallLogFormat, AnEditedLineOrAWrongCountIsDamage) {
    const std::vector<uint8_t> bytes =
        FormatInstallLog({{LogEntryKind::File, u"C:\\Program Files\\QLN Audio\\a.exe", {}}});
    auto replaced = [&](const std::u16string& from, const std::u16string& to) {
        std::u16string text;
        for (size_t i = 2; i < bytes.size(); i += 2)
            text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        text.replace(text.find(from), from.size(), to);
        std::vector<uint8_t> out = {0xFF, 0xFE};
        for (char16_t c : text) {
            out.push_back(static_cast<uint8_t>(c & 0xFF));
            out.push_back(static_cast<uint8_t>(c >> 8));
        }
        return out;
    };
    EXPECT_FALSE(ParseInstallLog(replaced(u"a.exe", u"b.exe")));
    EXPECT_FALSE(ParseInstallLog(replaced(u"End\t1", u"End\t2")));
    EXPECT_FALSE(ParseInstallLog(replaced(u"File\t", u"Files\t")));
    EXPECT_FALSE(ParseInstallLog(replaced(u"log 1", u"log 2")));
}

class Recording : public ::testing::Test {
protected:
    void Install() { InstallSequence(m.ports, m.state).Install(); }
    SetupMachine m;
};

TEST_F(Recording, ListsEverythingTheInstallationCreated) {
    Install();
    ASSERT_TRUE(m.state.InstallSucceeded);
    const std::vector<LogEntry> log = LogOf(m.files);
    const std::u16string links = m.shortcuts.programs + u"\\QLN Audio";
    for (const LogEntry& entry : std::vector<LogEntry>{
             {LogEntryKind::Folder, u"C:\\Program Files\\QLN Audio", {}},
             {LogEntryKind::Key, u"SOFTWARE\\QLN USB DeviceId Group", {}},
             {LogEntryKind::Key, u"SYSTEM\\CurrentControlSet\\Services\\UAExt", {}},
             {LogEntryKind::File, u"C:\\Windows\\System32\\drivers\\UAExt.sys", {}},
             {LogEntryKind::File, u"C:\\Windows\\System32\\AudioDeviceService.exe", {}},
             {LogEntryKind::Service, kServiceName, {}},
             {LogEntryKind::File, kInstall + u"AudioPanelApp.exe", {}},
             {LogEntryKind::Value, kRunKeyPath, u"AudioPanelApp"},
             {LogEntryKind::Folder, links, {}},
             {LogEntryKind::File, links + u"\\Audio Panel.lnk", {}},
             {LogEntryKind::Key, kUninstallKeyPath, {}},
             {LogEntryKind::File, kInstall + u"Skin\\Blue\\SkinSetting.ini", {}},
             {LogEntryKind::Folder, kInstall + u"Skin\\Blue", {}},
             {LogEntryKind::File, kInstall + u"Manual\\English\\Manual.pdf", {}},
             {LogEntryKind::File, links + u"\\User Manual.lnk", {}},
         })
        EXPECT_TRUE(Lists(log, entry)) << Narrow8(entry.path);
    // The install folder comes first, so the uninstaller reaches it last.
    EXPECT_EQ(log.front().path, u"C:\\Program Files\\QLN Audio");
}

TEST_F(Recording, IsWrittenAsTheInstallationGoesAndKeptAcrossInstallations) {
    m.window.onProgress = [this](int percent) {
        if (percent == 70) {
            const std::vector<LogEntry> log = LogOf(m.files);
            EXPECT_TRUE(Lists(log, {LogEntryKind::File, kInstall + u"AudioPanelApp.exe", {}}));
            EXPECT_FALSE(Lists(log, {LogEntryKind::Key, kUninstallKeyPath, {}}));
        }
    };
    Install();
    const std::vector<LogEntry> first = LogOf(m.files);
    ASSERT_FALSE(first.empty());

    // A second installation finds every folder there already and creates none of them, yet the
    // log still lists them; a manual the new source lacks stays listed too.
    m.window.onProgress = nullptr;
    m.files.DeleteOneFile(u"C:\\Media\\Manual\\English\\Manual.pdf");
    m.state.InstallSucceeded = false;
    Install();
    EXPECT_TRUE(m.state.InstallSucceeded);
    EXPECT_EQ(LogOf(m.files), first);
}

TEST_F(Recording, ADamagedEarlierLogIsStartedAnew) {
    m.files.AddFile(kLog, "not a log");
    Install();
    EXPECT_TRUE(Lists(LogOf(m.files), {LogEntryKind::Service, kServiceName, {}}));
    EXPECT_TRUE(m.Traced("***** Install log damaged: started anew *****\n"));
}

TEST(ConfigNames, PlainNamesOnly) {
    for (const char16_t* good : {u"QLN Audio", u"AudioPanelApp", u"Setup.ico", u"con2", u"COM0",
                                 u"LPT", u"a..b", u"\u00e9t\u00e9", u"CONSOLE"})
        EXPECT_TRUE(IsPlainName(good)) << Narrow8(good);
    for (const char16_t* bad : {u"",         u".",     u"..",
                                u"a\\b",     u"a/b",   u"C:",
                                u"C:x",      u"x:",    u"..\\..\\Windows",
                                u"CON",      u"con",   u"NUL.txt",
                                u"nul .txt", u"COM1",  u"lpt9.log",
                                u"AUX",      u"PRN",   u"CONIN$",
                                u"name.",    u"name ", u"a*b",
                                u"a?b",      u"a|b",   u"a\"b",
                                u"a<b",      u"a>b",   u"a\tb"})
        EXPECT_FALSE(IsPlainName(bad)) << Narrow8(bad);
}

TEST(ConfigNames, ABadNameStopsTheInstallationBeforeAnythingIsWritten) {
    const std::vector<std::pair<std::u16string _APPLICATION_FOLDER_PATH::*, const char16_t*>>
        cases = {{&_APPLICATION_FOLDER_PATH::InstallFolderName, u""},
                 {&_APPLICATION_FOLDER_PATH::InstallFolderName, u".."},
                 {&_APPLICATION_FOLDER_PATH::SkinFolderName, u"..\\..\\Windows"},
                 {&_APPLICATION_FOLDER_PATH::LanguageFolderName, u"C:\\Windows"},
                 {&_APPLICATION_FOLDER_PATH::APPFileName, u"NUL"},
                 {&_APPLICATION_FOLDER_PATH::UninstallFileName, u"com1"},
                 {&_APPLICATION_FOLDER_PATH::ShortcutFolderName, u"a/b"},
                 {&_APPLICATION_FOLDER_PATH::UserManualShortcutName, u"LPT1.lnk"}};
    for (const auto& [field, value] : cases) {
        SetupMachine m;
        m.state.Folders.*field = value;
        InstallSequence(m.ports, m.state).InstallThreadProc();
        EXPECT_FALSE(m.state.InstallSucceeded);
        ASSERT_EQ(m.window.messages.size(), 1u) << Narrow8(value);
        EXPECT_NE(m.window.messages[0].find(u"\"" + std::u16string(value) + u"\""),
                  std::u16string::npos);
        EXPECT_EQ(m.window.captions[0], u"Install");
        EXPECT_TRUE(m.files.log.empty()) << Narrow8(value);
        EXPECT_TRUE(m.services.services.empty());
        EXPECT_TRUE(m.window.progress.empty());
        EXPECT_EQ(m.window.done, 1);
    }

    SetupMachine m;
    m.files.AddFile(u"C:\\Media\\AudioConfig.cfg", "[Language]\r\nDefaultLanguage=..\r\n");
    InstallSequence(m.ports, m.state).Install();
    EXPECT_EQ(m.window.messages.size(), 1u);
    EXPECT_TRUE(m.files.log.empty());
}

TEST(SystemFiles, AShortWriteLeavesTheOldDriverAndServiceProgram) {
    SetupMachine m;
    const std::u16string driver = u"C:\\Windows\\System32\\drivers\\UAExt.sys";
    const std::u16string service = u"C:\\Windows\\System32\\AudioDeviceService.exe";
    m.files.AddFile(driver, "old driver");
    m.files.AddFile(service, "old service");
    m.files.shortWrite = {driver, service};
    InstallSequence sequence(m.ports, m.state);
    EXPECT_EQ(sequence.Install_FilterDriver(), FILTER_DRIVER_WRITE_FAILED);
    EXPECT_EQ(sequence.Install_Service(), SERVICE_WRITE_FAILED);
    EXPECT_EQ(m.files.Read(driver), "old driver");
    EXPECT_EQ(m.files.Read(service), "old service");

    m.files.shortWrite.clear();
    EXPECT_EQ(sequence.Install_FilterDriver(), 0u);
    EXPECT_EQ(m.files.Read(driver), "driver32");
    EXPECT_NE(std::find(m.files.log.begin(), m.files.log.end(), "replace " + Narrow8(driver)),
              m.files.log.end());
}

}  // namespace
