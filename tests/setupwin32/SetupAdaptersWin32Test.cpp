// The installer's Win32 adapters doing the real thing in the test prefix.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "DeviceRestart.h"
#include "DllSearchPath.h"
#include "Handles.h"
#include "InstallLog.h"
#include "InstallSequence.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "SetupPortsWin32.h"
#include "TestFiles.h"
#include "UninstallSequence.h"
#include "WideText.h"
#include "Wow64Redirection.h"

namespace {

const std::u16string kTestKey = u"SOFTWARE\\QLN47xxSetupAdapterTest";

std::u16string OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return U16(path);
}

TEST(RegistryWin32, TypedValuesRoundTripAndSubkeysAreListed) {
    IRegistry& registry = PlatformRegistry();
    {
        auto key = registry.CreateKey(RegistryHive::LocalMachine, kTestKey);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->SetDword(u"Start", 3));
        EXPECT_TRUE(key->SetExpandString(u"ImagePath", u"System32\\DRIVERS\\UAExt.sys"));
        EXPECT_TRUE(key->SetMultiString(u"UpperFilters", {u"UAExt", u"Other"}));
        EXPECT_TRUE(key->SetString(u"Name", u"\"C:\\Program Files\\x.exe\""));
        EXPECT_TRUE(key->Flush());
        ASSERT_TRUE(
            registry.CreateKey(RegistryHive::LocalMachine, kTestKey + u"\\Package_for_KB1~a"));
    }
    auto key = registry.OpenKey(RegistryHive::LocalMachine, kTestKey, RegistryView::Default,
                                RegistryAccess::Read);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetDword(u"Start"), 3u);
    EXPECT_EQ(key->GetType(u"ImagePath"), static_cast<uint32_t>(REG_EXPAND_SZ));
    EXPECT_EQ(key->GetString(u"ImagePath"), std::u16string(u"System32\\DRIVERS\\UAExt.sys"));
    EXPECT_EQ(key->GetMultiString(u"UpperFilters"),
              (std::vector<std::u16string>{u"UAExt", u"Other"}));
    EXPECT_EQ(key->GetString(u"Name"), std::u16string(u"\"C:\\Program Files\\x.exe\""));
    EXPECT_EQ(key->SubKeyCount(), 1u);
    EXPECT_EQ(key->SubKeyName(0), std::u16string(u"Package_for_KB1~a"));
    EXPECT_FALSE(key->SubKeyName(1));
    key.reset();

    auto writable = registry.OpenKey(RegistryHive::LocalMachine, kTestKey);
    ASSERT_TRUE(writable);
    EXPECT_TRUE(writable->DeleteValue(u"Start"));
    EXPECT_FALSE(writable->GetDword(u"Start"));
    writable.reset();
    EXPECT_TRUE(registry.DeleteKey(RegistryHive::LocalMachine, kTestKey + u"\\Package_for_KB1~a"));
    EXPECT_TRUE(registry.DeleteKey(RegistryHive::LocalMachine, kTestKey));
    EXPECT_FALSE(registry.OpenKey(RegistryHive::LocalMachine, kTestKey));
}

// 64-bit Windows: a 64-bit test program, or a 32-bit one under Wow64.
bool OnWindows64() {
    return sizeof(void*) == 8 || PlatformSystemFolders().IsWow64Process();
}

TEST(RegistryWin32, The32BitViewIsWow6432Node) {
    if (!OnWindows64())
        GTEST_SKIP() << "32-bit Windows has one registry view";
    IRegistry& registry = PlatformRegistry();
    ASSERT_TRUE(registry.CreateKey(RegistryHive::LocalMachine, kTestKey, RegistryView::Wow32));
    EXPECT_TRUE(registry.OpenKey(RegistryHive::LocalMachine,
                                 u"SOFTWARE\\Wow6432Node\\QLN47xxSetupAdapterTest",
                                 RegistryView::Native64));
    EXPECT_FALSE(registry.OpenKey(RegistryHive::LocalMachine, kTestKey, RegistryView::Native64));
    EXPECT_TRUE(registry.DeleteKey(RegistryHive::LocalMachine, kTestKey, RegistryView::Wow32));
}

TEST(FilesWin32, FolderTreeIsCopiedAndPayloadsWritten) {
    TempFolder folder;
    ISetupFiles& files = Win32SetupFiles();
    ASSERT_TRUE(files.CreateFolder(folder.File(u"Src")));
    EXPECT_FALSE(files.CreateFolder(folder.File(u"Src")));
    ASSERT_TRUE(files.CreateFolder(folder.File(u"Src\\Skin")));
    ASSERT_TRUE(files.CreateFolder(folder.File(u"Src\\Skin\\Blue")));
    folder.Write(u"Src\\Skin\\Blue\\SkinSetting.ini", "skin");
    folder.Write(u"Src\\Skin\\top.txt", "top");
    ASSERT_TRUE(files.CreateFolder(folder.File(u"Dst")));

    EXPECT_TRUE(CopyFolderTree(files, folder.File(u"Src\\Skin\\"), folder.File(u"Dst\\")));
    EXPECT_EQ(folder.Read(u"Dst\\Skin\\Blue\\SkinSetting.ini"), "skin");
    EXPECT_EQ(folder.Read(u"Dst\\Skin\\top.txt"), "top");

    const uint8_t bytes[] = {'M', 'Z', 0, 1};
    EXPECT_EQ(WritePayloadFile(files, folder.File(u"Dst\\p.exe"), Payload{bytes, sizeof bytes}),
              WRITE_FILE_OK);
    EXPECT_EQ(folder.Read(u"Dst\\p.exe"), std::string("MZ\0\1", 4));
    EXPECT_EQ(WritePayloadFile(files, folder.File(u"None\\p.exe"), Payload{bytes, sizeof bytes}),
              WRITE_FILE_CANNOT_OPEN);
    EXPECT_TRUE(files.CopyOneFile(folder.File(u"Dst\\p.exe"), folder.File(u"Dst\\q.exe")));
    EXPECT_FALSE(files.CopyOneFile(folder.File(u"Dst\\none.exe"), folder.File(u"Dst\\r.exe")));
}

TEST(ResourcesWin32, OwnPayloadIsFoundInAnyCaseAndAMissingOneIsNot) {
    const auto payload = LoadPayload(Win32PayloadResources(), 102, u"driver");
    ASSERT_TRUE(payload);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(payload->data), payload->size),
              "Stand-in driver payload for the adapter tests.\n");
    EXPECT_FALSE(LoadPayload(Win32PayloadResources(), 110, u"WindowPatch"));
}

TEST(VersionWin32, ReadsTheVersionOfABuiltProgram) {
    std::u16string version;
    EXPECT_EQ(ReadFileVersion(Win32SetupSystem(), OwnPath(), version), 0u);
    EXPECT_EQ(version, u"3.1.4.15");
    TempFolder folder;
    EXPECT_EQ(ReadFileVersion(Win32SetupSystem(), folder.Write(u"plain.txt", "x"), version), 1u);
}

TEST(ShortcutWin32, CreatedInTheCommonProgramsAndReadBack) {
    const std::u16string folderName = u"QLN47xx Adapter Test";
    CreateShortcut(Win32Shortcuts(), Win32SetupFiles(), folderName, OwnPath(), u"Self");
    const std::u16string folder = Win32Shortcuts().CommonProgramsFolder() + u"\\" + folderName;
    const std::u16string link = folder + u"\\Self.lnk";

    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        IShellLinkW* shellLink = nullptr;
        ASSERT_TRUE(
            SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&shellLink))));
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(
            shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        EXPECT_TRUE(SUCCEEDED(file->Load(W(link), STGM_READ)));
        wchar_t target[MAX_PATH] = {};
        EXPECT_TRUE(SUCCEEDED(shellLink->GetPath(target, MAX_PATH, nullptr, 0)));
        EXPECT_EQ(_wcsicmp(target, W(OwnPath())), 0);
        file->Release();
        shellLink->Release();
    }
    CoUninitialize();
    DeleteFileW(W(link));
    RemoveDirectoryW(W(folder));
}

// The desktop's shell starts the file in its own process, with the user's token: a batch file
// shows that it ran by the file it writes.
TEST(ShellWin32, TheDesktopShellOpensAFileForTheUser) {
    TempFolder folder;
    const std::u16string marker = folder.File(u"ran.txt");
    const std::u16string batch =
        folder.Write(u"start.bat", "@echo started> \"" + Narrow(marker) + "\"\r\n");
    ASSERT_TRUE(Win32Processes().OpenAsDesktopUser(batch));
    bool ran = false;
    for (int i = 0; i < 100 && !ran; ++i) {
        ran = GetFileAttributesW(W(marker)) != INVALID_FILE_ATTRIBUTES;
        if (!ran)
            Sleep(100);
    }
    EXPECT_TRUE(ran);
}

TEST(ServiceWin32, MissingServiceGivesTwo) {
    EXPECT_EQ(
        ControlDeviceService(Win32ServiceControl(), Win32SetupSystem(), u"QLN47xxNoSuchService", 1),
        2u);
}

TEST(DevicesWin32, ListsAreMadeAndNoHeadsetOrFilterIsFound) {
    CDeviceIdMgr group;
    group.ids.emplace(u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03", u"code");
    const DeviceGuid media = {
        0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
    const std::u16string pattern = u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03";
    EXPECT_EQ(RemoveUpperFilter(Win32SetupDevices(), media, u"UAExt"), 0u);
    EXPECT_EQ(RestartMatchingDevices(Win32SetupDevices(), media, pattern, group), 0u);
    EXPECT_FALSE(FindPresentDevice(media, pattern, group, nullptr, Win32SetupDevices()));
    EXPECT_FALSE(Win32SetupDevices().CanOpenInterface(u"\\\\.\\Class#UsbAudioExtension&3F9C&00"));
}

TEST(SystemWin32, VersionEnvironmentAndProfileStrings) {
    ISetupSystem& system = Win32SetupSystem();
    RtlVersion version;
    EXPECT_EQ(system.GetRtlVersion(version), RTL_VERSION_OK);
    EXPECT_GE(version.major, 5u);
    const auto appData = system.GetEnvironment(u"APPDATA");
    ASSERT_TRUE(appData);
    EXPECT_FALSE(appData->empty());
    EXPECT_FALSE(system.GetEnvironment(u"QLN47XX_NOT_SET"));

    TempFolder folder;
    const std::u16string config = folder.Write(u"AudioConfig.cfg", "[Language]\r\n");
    EXPECT_TRUE(system.WriteProfile(config, u"Language", u"DefaultLanguage", u"German"));
    std::u16string value;
    EXPECT_EQ(system.ReadProfile(config, u"Language", u"DefaultLanguage", value), 0);
    EXPECT_EQ(value, u"German");
    EXPECT_FALSE(system.WriteProfile(folder.File(u"None\\AudioConfig.cfg"), u"Language",
                                     u"DefaultLanguage", u"German"));
}

}  // namespace

namespace {

// What the installer requires of its service program, with the real service manager.
TEST(ServicePayloadWin32, RegistersItselfThenStartsTakesCode128AndStops) {
    const std::u16string exe = U16(AUDIO_SERVICE_EXE);
    std::unique_ptr<IProcessHandle> run = Win32Processes().Create(QuotedPath(exe) + u" /Service");
    ASSERT_TRUE(run);
    ASSERT_TRUE(run->Wait(100000));
    run.reset();

    IServiceControl& services = Win32ServiceControl();
    ISetupSystem& system = Win32SetupSystem();
    EXPECT_EQ(ControlDeviceService(services, system, u"AudioDeviceService", 0), 0u);
    EXPECT_EQ(ControlDeviceService(services, system, u"AudioDeviceService", 128), 0u);
    uint32_t state = 0;
    {
        auto manager = services.OpenManager();
        ASSERT_TRUE(manager);
        auto service = manager->OpenNamedService(u"AudioDeviceService");
        ASSERT_TRUE(service);
        ASSERT_TRUE(service->QueryState(&state));
        EXPECT_EQ(state, SERVICE_STATE_RUNNING);
    }
    EXPECT_EQ(ControlDeviceService(services, system, u"AudioDeviceService", 1), 0u);
    // A second registration (an installation over an old one) is fine too.
    run = Win32Processes().Create(QuotedPath(exe) + u" /Service");
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->Wait(100000));

    auto manager = services.OpenManager();
    ASSERT_TRUE(manager);
    auto service = manager->OpenNamedService(u"AudioDeviceService");
    ASSERT_TRUE(service);
    EXPECT_TRUE(service->Delete());
}

TEST(DllSearchWin32, RestrictedToTheSystemFolder) {
    EXPECT_TRUE(RestrictDllSearchToSystem());
}

}  // namespace

namespace {

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
}

// The system folder as the installer writes it: past the redirection of a 32-bit program on 64-bit
// Windows, into the real System32.
bool ExistsInSystemFolder(const SetupState& state, const std::u16string& file) {
    ScopedRedirectionOff off(PlatformSystemFolders(), state.IsWow64);
    return Exists(state.Folders.SystemDirectory + file);
}

void WriteText(const std::u16string& path, const std::string& text) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(W(path), L"wb"), fclose);
    ASSERT_TRUE(file);
    fwrite(text.data(), 1, text.size(), file.get());
}

// Runs a program with its arguments and returns its exit code (0xFFFFFFFF when it could not run
// or did not end within a minute).
DWORD RunProgram(const std::u16string& program, const std::u16string& arguments) {
    std::u16string commandLine = QuotedPath(program) + u" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(W(program), const_cast<wchar_t*>(W(commandLine)), nullptr, nullptr, FALSE,
                        0, nullptr, nullptr, &startup, &info))
        return 0xFFFFFFFF;
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &code))
        return 0xFFFFFFFF;
    return code;
}

// The real uninstaller, run in place with "/Silent": with no log or a damaged one it removes
// nothing; with an intact log it removes what is listed (the installed configuration missing
// changes nothing), refuses the rest, and leaves its own file and folder for the next restart.
// Copied from a CD, a file is read-only, and CopyFileW passes that on.
TEST(FilesWin32, CopiesOfReadOnlyFilesAreWritableAndReplaceReadOnlyOnes) {
    TempFolder folder;
    ISetupFiles& files = Win32SetupFiles();
    folder.Write(u"cd.txt", "new");
    folder.Write(u"old.txt", "old");
    for (const char16_t* name : {u"cd.txt", u"old.txt"})
        ASSERT_TRUE(SetFileAttributesW(W(folder.File(name)), FILE_ATTRIBUTE_READONLY));
    // Windows refuses to copy over a read-only file (Wine 8 does not).
    EXPECT_TRUE(CopyWritableFile(files, folder.File(u"cd.txt"), folder.File(u"old.txt")));
    EXPECT_TRUE(CopyWritableFile(files, folder.File(u"cd.txt"), folder.File(u"copy.txt")));
    for (const char16_t* name : {u"old.txt", u"copy.txt"}) {
        EXPECT_EQ(folder.Read(name), "new");
        EXPECT_EQ(GetFileAttributesW(W(folder.File(name))) & FILE_ATTRIBUTE_READONLY, 0u);
        EXPECT_TRUE(DeleteFileW(W(folder.File(name))));
    }
    EXPECT_FALSE(files.ClearReadOnly(folder.File(u"none.txt")));
    EXPECT_TRUE(files.ClearReadOnly(folder.File(u"cd.txt")));
}

class UninstallerWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        std::u16string programFiles = PlatformSystemFolders().GetProgramFilesFolder();
        if (programFiles.back() != u'\\')
            programFiles += u'\\';
        install_ = programFiles + u"QLN47xx Uninstall Test\\";
        neighbour_ = programFiles + u"QLN47xx Neighbour";
        ASSERT_TRUE(CreateDirectoryW(W(install_), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        CreateDirectoryW(W(neighbour_), nullptr);
        WriteText(neighbour_ + u"\\keep.txt", "theirs");
        WriteText(install_ + u"Panel.exe", "MZ");
        CreateDirectoryW(W(install_ + u"Skin"), nullptr);
        WriteText(install_ + u"Skin\\SkinSetting.ini", "skin");
        ASSERT_TRUE(CopyFileW(AUDIO_UNINSTALL_EXE, W(install_ + u"Uninstall.exe"), FALSE));
        ASSERT_EQ(SetRunValue(PlatformRegistry(), u"QLN47xxTestPanel", u"x"), 0u);
    }
    void TearDown() override {
        for (const char16_t* file : {u"Panel.exe", u"Skin\\SkinSetting.ini", u"Uninstall.exe",
                                     u"Uninstall.exe.removed", u"Install.log"}) {
            SetFileAttributesW(W(install_ + file), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(W(install_ + file));
        }
        RemoveDirectoryW(W(install_ + u"Skin"));
        RemoveDirectoryW(W(install_));
        DeleteFileW(W(neighbour_ + u"\\keep.txt"));
        RemoveDirectoryW(W(neighbour_));
        if (auto run = PlatformRegistry().OpenKey(RegistryHive::LocalMachine, kRunKeyPath))
            run->DeleteValue(u"QLN47xxTestPanel");
    }

    void WriteLog(const std::vector<LogEntry>& entries) {
        const std::vector<uint8_t> bytes = FormatInstallLog(entries);
        WriteText(install_ + u"Install.log", std::string(bytes.begin(), bytes.end()));
    }
    std::vector<LogEntry> Listed() {
        std::u16string folder = install_;
        folder.pop_back();
        return {{LogEntryKind::Folder, folder, {}},
                {LogEntryKind::File, install_ + u"Uninstall.exe", {}},
                {LogEntryKind::File, install_ + u"Panel.exe", {}},
                {LogEntryKind::Value, kRunKeyPath, u"QLN47xxTestPanel"},
                {LogEntryKind::Folder, install_ + u"Skin", {}},
                {LogEntryKind::File, install_ + u"Skin\\SkinSetting.ini", {}}};
    }
    bool RunValueLeft() {
        auto run = PlatformRegistry().OpenKey(RegistryHive::LocalMachine, kRunKeyPath);
        return run && run->GetString(u"QLN47xxTestPanel");
    }

    std::u16string install_;
    std::u16string neighbour_;
};

TEST_F(UninstallerWin32, NoLogOrADamagedLogRemovesNothing) {
    EXPECT_EQ(RunProgram(install_ + u"Uninstall.exe", u"/Silent"), 11u);
    WriteLog(Listed());
    std::ifstream in(std::filesystem::path(std::wstring(W(install_ + u"Install.log"))),
                     std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    WriteText(install_ + u"Install.log", bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(RunProgram(install_ + u"Uninstall.exe", u"/Silent"), 12u);
    EXPECT_TRUE(Exists(install_ + u"Panel.exe"));
    EXPECT_TRUE(Exists(install_ + u"Skin\\SkinSetting.ini"));
    EXPECT_TRUE(RunValueLeft());
    EXPECT_TRUE(Exists(neighbour_ + u"\\keep.txt"));
}

TEST_F(UninstallerWin32, RemovesWhatTheLogListsInPlaceAndRefusesTheNeighbour) {
    std::vector<LogEntry> entries = Listed();
    entries.push_back({LogEntryKind::File, neighbour_ + u"\\keep.txt", {}});
    entries.push_back({LogEntryKind::File, install_ + u"..\\QLN47xx Neighbour\\keep.txt", {}});
    WriteLog(entries);
    // Refused entries stay listed, and so does the uninstaller for a later run.
    EXPECT_EQ(RunProgram(install_ + u"Uninstall.exe", u"/Silent"), 10u);
    EXPECT_TRUE(Exists(neighbour_ + u"\\keep.txt"));
    EXPECT_FALSE(Exists(install_ + u"Panel.exe"));
    EXPECT_FALSE(Exists(install_ + u"Skin"));
    EXPECT_FALSE(RunValueLeft());
    EXPECT_TRUE(Exists(install_ + u"Uninstall.exe"));

    const std::u16string sessionManagerPath =
        u"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
    // Left by earlier runs in this prefix, it would hide a missing one.
    if (auto earlier = PlatformRegistry().OpenKey(RegistryHive::LocalMachine, sessionManagerPath))
        earlier->DeleteValue(u"PendingFileRenameOperations");
    WriteLog(Listed());
    EXPECT_EQ(RunProgram(install_ + u"Uninstall.exe", u"/Silent"), 0u);
    EXPECT_FALSE(Exists(install_ + u"Install.log"));
    EXPECT_TRUE(Exists(neighbour_ + u"\\keep.txt"));
    // Its own file, renamed out of the way of a new installation, and its folder are left to
    // the next restart.
    EXPECT_FALSE(Exists(install_ + u"Uninstall.exe"));
    EXPECT_TRUE(Exists(install_ + u"Uninstall.exe.removed"));
    auto sessionManager = PlatformRegistry().OpenKey(RegistryHive::LocalMachine, sessionManagerPath,
                                                     RegistryView::Default, RegistryAccess::Read);
    ASSERT_TRUE(sessionManager);
    const auto pending = sessionManager->GetMultiString(u"PendingFileRenameOperations");
    ASSERT_TRUE(pending);
    bool self = false;
    for (const std::u16string& name : *pending)
        self |= name.find(u"QLN47xx Uninstall Test\\Uninstall.exe.removed") != std::u16string::npos;
    EXPECT_TRUE(self);
}

TEST_F(UninstallerWin32, ReadOnlyFilesAreRemoved) {
    for (const char16_t* file : {u"Panel.exe", u"Skin\\SkinSetting.ini"})
        ASSERT_TRUE(SetFileAttributesW(W(install_ + file), FILE_ATTRIBUTE_READONLY));
    WriteLog(Listed());
    EXPECT_EQ(RunProgram(install_ + u"Uninstall.exe", u"/Silent"), 0u);
    EXPECT_FALSE(Exists(install_ + u"Panel.exe"));
    EXPECT_FALSE(Exists(install_ + u"Skin"));
}

// Run by another administrator or by SYSTEM: the installing account's %APPDATA% is not its own.
TEST_F(UninstallerWin32, EntriesInAnotherAccountsProfileAreDropped) {
    wchar_t profiles[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    auto list = PlatformRegistry().OpenKey(
        RegistryHive::LocalMachine, u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
        RegistryView::Native64, RegistryAccess::Read);
    const auto directory = list ? list->GetString(u"ProfilesDirectory") : std::nullopt;
    if (!directory || !ExpandEnvironmentStringsW(W(*directory), profiles, size))
        GTEST_SKIP() << "no profiles folder in this prefix";
    const std::u16string other =
        U16(profiles) + u"\\qln47xx-other\\AppData\\Roaming\\QLN47xx Uninstall Test";
    std::vector<LogEntry> entries = Listed();
    entries.push_back({LogEntryKind::Folder, other, {}});
    entries.push_back({LogEntryKind::File, other + u"\\AudioConfig.cfg", {}});
    WriteLog(entries);
    EXPECT_EQ(RunProgram(install_ + u"Uninstall.exe", u"/Silent"), 0u);
    EXPECT_FALSE(Exists(install_ + u"Panel.exe"));
}

// Only a service that already runs the service program's own file is re-pointed by it.
TEST(ServicePayloadWin32, LeavesAnotherProgramsServiceOfTheSameNameAlone) {
    using ServiceHandle =
        std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, decltype(&CloseServiceHandle)>;
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS),
                          CloseServiceHandle);
    ASSERT_TRUE(manager);
    const std::u16string theirs = u"\"C:\\Program Files\\QLN47xx Neighbour\\svc.exe\" -run";
    ServiceHandle service(
        CreateServiceW(manager.get(), L"AudioDeviceService", L"AudioDeviceService",
                       SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                       SERVICE_ERROR_NORMAL, W(theirs), nullptr, nullptr, nullptr, nullptr,
                       nullptr),
        CloseServiceHandle);
    ASSERT_TRUE(service);

    EXPECT_EQ(RunProgram(U16(AUDIO_SERVICE_EXE), u"/Service"), 6u);
    {
        auto ours = Win32ServiceControl().OpenManager();
        ASSERT_TRUE(ours);
        auto named = ours->OpenNamedService(u"AudioDeviceService");
        ASSERT_TRUE(named);
        EXPECT_EQ(named->ImagePath(), theirs);
    }
    EXPECT_TRUE(DeleteService(service.get()));
}

TEST(FilesWin32, ReplacedWholeOrNotAtAllAndReparsePointsSeen) {
    TempFolder folder;
    const std::u16string target = folder.Write(u"driver.sys", "old");
    ISetupFiles& files = Win32SetupFiles();
    const std::string bytes = "new driver";
    EXPECT_EQ(
        files.ReplaceFile(target, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
        WRITE_FILE_OK);
    EXPECT_EQ(folder.Read(u"driver.sys"), "new driver");
    EXPECT_FALSE(Exists(target + u".new"));
    // A target held open without sharing cannot be replaced: the old bytes stay.
    HANDLE held = CreateFileW(W(target), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NE(files.ReplaceFile(target, reinterpret_cast<const uint8_t*>("x"), 1), WRITE_FILE_OK);
    CloseHandle(held);
    EXPECT_EQ(folder.Read(u"driver.sys"), "new driver");
    EXPECT_FALSE(Exists(target + u".new"));

    EXPECT_EQ(files.ReadWholeFile(target, 100), std::vector<uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_FALSE(files.ReadWholeFile(target, 3));
    EXPECT_FALSE(files.ReadWholeFile(folder.File(u"missing"), 100));
    EXPECT_FALSE(files.IsLink(target));
    EXPECT_FALSE(files.IsLink(folder.File(u"missing")));
}

}  // namespace

namespace {

class RecordingWindow : public IWizardWindow {
public:
    std::vector<int> progress;
    std::vector<std::u16string> messages;
    void PostProgress(int percent) override { progress.push_back(percent); }
    void PostDone() override {}
    void ShowMessage(const std::u16string& text, const std::u16string&) override {
        messages.push_back(text);
    }
    bool AskYesNo(const std::u16string&, const std::u16string&) override { return true; }
    void BroadcastPanelExit() override { WizardWindowWin32(nullptr).BroadcastPanelExit(); }
};

// The real system, but the waits the sequence prescribes are only counted.
class NoWaitSystem : public ISetupSystem {
public:
    uint32_t skipped = 0;
    std::map<std::u16string, std::u16string> environment;  // over the real one
    std::function<void()> onSleep;                         // what changes meanwhile
    void Sleep(uint32_t milliseconds) override {
        skipped += milliseconds;
        if (onSleep)
            onSleep();
    }
    void Beep(uint32_t, uint32_t) override {}
    std::optional<std::u16string> GetEnvironment(const std::u16string& name) override {
        const auto set = environment.find(name);
        return set != environment.end() ? set->second : real_.GetEnvironment(name);
    }
    int GetRtlVersion(RtlVersion& out) override { return real_.GetRtlVersion(out); }
    uint32_t FileVersionInfoSize(const std::u16string& path) override {
        return real_.FileVersionInfoSize(path);
    }
    bool FileVersionInfo(const std::u16string& path, std::vector<uint8_t>& buffer) override {
        return real_.FileVersionInfo(path, buffer);
    }
    bool QueryFixedVersion(const std::vector<uint8_t>& buffer, FixedFileVersion& out,
                           uint32_t& length) override {
        return real_.QueryFixedVersion(buffer, out, length);
    }
    int ReadProfile(const std::u16string& path, const std::u16string& section,
                    const std::u16string& key, std::u16string& value) override {
        return real_.ReadProfile(path, section, key, value);
    }
    bool WriteProfile(const std::u16string& path, const std::u16string& section,
                      const std::u16string& key, const std::u16string& value) override {
        return real_.WriteProfile(path, section, key, value);
    }
    void Reboot() override {}

private:
    ISetupSystem& real_ = Win32SetupSystem();
};

// A 32-bit installer on 64-bit Windows has the installed 64-bit service program restart the
// devices. Taken here by either build (truly Wow64 only for the 32-bit one on a WoW64 prefix):
// the program is started for real from the native system folder and its exit code comes back.
TEST(DeviceRestartWin32, AWow64InstallerHasTheInstalledServiceProgramRestart) {
    if (!OnWindows64())
        GTEST_SKIP() << "32-bit Windows runs no 64-bit service program";
    SetupState state;
    LoadAudioConfig(u"AudioConfig.cfg", OwnPath(), state.Folders);
    state.IsWow64 = true;
    state.UsbDeviceIds.ids.emplace(u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03", u"code");
    RecordingWindow window;
    NoWaitSystem system;
    SetupPorts ports{PlatformRegistry(),
                     Win32ServiceControl(),
                     Win32SetupFiles(),
                     Win32PayloadResources(),
                     Win32SetupDevices(),
                     Win32Shortcuts(),
                     Win32Processes(),
                     PlatformSystemFolders(),
                     system,
                     window};
    const std::u16string installed = state.Folders.SystemDirectory + u"AudioDeviceService.exe";
    const bool wow64 = PlatformSystemFolders().IsWow64Process();
    {
        ScopedRedirectionOff redirection(PlatformSystemFolders(), wow64);
        ASSERT_TRUE(CopyFileW(AUDIO_SERVICE64_EXE, W(installed), FALSE));
        const auto bytes = Win32SetupFiles().ReadWholeFile(installed, 64u << 20);
        ASSERT_TRUE(bytes);
        // Another program in its place is not run.
        EXPECT_EQ(RestartDevices(ports, state, {}), static_cast<uint32_t>(RESTART_HELPER_NOT_OURS));
        state.ServiceProgramHash = ContentHash(bytes->data(), bytes->size());
    }
    EXPECT_EQ(RestartDevices(ports, state, {u"HID\\VID_845E&PID_0001"}), 0u);
    {
        ScopedRedirectionOff redirection(PlatformSystemFolders(), wow64);
        EXPECT_TRUE(DeleteFileW(W(installed)));
    }
    EXPECT_EQ(RestartDevices(ports, state, {}), static_cast<uint32_t>(RESTART_HELPER_NOT_STARTED));
}

// The whole sequence and the uninstaller's on the real adapters of the test prefix.
TEST(SequenceWin32, InstallsOnTheRealAdaptersAndTheUninstallerTakesItBack) {
    TempFolder source;
    source.Write(u"AudioConfig.cfg",
                 "[Language]\r\nLanguageFolderName=Language\r\nDefaultLanguage=English\r\n"
                 "[Skin]\r\nSkinFolderName=Skin\r\n[Install]\r\nInstallFolderName=QLN47xx "
                 "Sequence Test\r\nAPPFileName=AudioPanelApp\r\nInstallIconFileName=Setup.ico\r\n"
                 "ShortcutFolderName=QLN47xx Sequence Test\r\nAppShortcutName=Panel\r\n"
                 "UserManualShortcutName=Manual\r\n[Uninstall]\r\nUninstallFileName=Uninstall\r\n"
                 "UninstallShortcutName=Uninstall\r\nUninstallDisplayName=Sequence Test\r\n");
    source.Write(u"Setup.ico", "icon");
    ISetupFiles& files = Win32SetupFiles();
    for (const char16_t* folder :
         {u"Skin", u"Skin\\Blue", u"Language", u"Language\\English", u"Manual", u"Manual\\English"})
        ASSERT_TRUE(files.CreateFolder(source.File(folder)));
    source.Write(u"Skin\\Blue\\SkinSetting.ini", "skin");
    source.Write(u"Language\\English\\Language.ini", "[Setup]\r\n");
    source.Write(u"Manual\\English\\Manual.pdf", "manual");

    SetupState state;
    state.SetupVersion = u"1.0.0.1";
    LoadAudioConfig(u"AudioConfig.cfg", source.File(u"AudioSetupApp.exe"), state.Folders);
    state.UninstallInfo = MakeUninstallInfo(state.Folders, state.SetupVersion);
    state.IsWow64 = PlatformSystemFolders().IsWow64Process();
    RecordingWindow window;
    NoWaitSystem system;
    SetupPorts ports{PlatformRegistry(),
                     Win32ServiceControl(),
                     files,
                     Win32PayloadResources(),
                     Win32SetupDevices(),
                     Win32Shortcuts(),
                     Win32Processes(),
                     PlatformSystemFolders(),
                     system,
                     window};

    const DWORD start = GetTickCount();
    InstallSequence(ports, state).Install();
    std::printf("installation without the prescribed waits: %lu ms (%u ms of waits skipped)\n",
                static_cast<unsigned long>(GetTickCount() - start), system.skipped);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(state.InstallSucceeded);
    EXPECT_EQ(window.progress, (std::vector<int>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));

    const std::u16string install = state.Folders.InstallFolderFullPath;
    auto driverKey = PlatformRegistry().OpenKey(RegistryHive::LocalMachine,
                                                u"SYSTEM\\CurrentControlSet\\Services\\UAExt");
    ASSERT_TRUE(driverKey);
    EXPECT_EQ(driverKey->GetDword(u"Type"), 1u);
    EXPECT_EQ(driverKey->GetType(u"ImagePath"), static_cast<uint32_t>(REG_EXPAND_SZ));
    driverKey.reset();
    EXPECT_TRUE(ExistsInSystemFolder(state, u"drivers\\UAExt.sys"));
    if (state.IsWow64) {  // nothing of it in the 32-bit system folder
        EXPECT_FALSE(Exists(state.Folders.SystemDirectory + u"drivers\\UAExt.sys"));
    }
    uint32_t serviceState = 0;
    {
        auto manager = Win32ServiceControl().OpenManager();
        ASSERT_TRUE(manager);
        auto service = manager->OpenNamedService(u"AudioDeviceService");
        ASSERT_TRUE(service);
        ASSERT_TRUE(service->QueryState(&serviceState));
    }
    EXPECT_EQ(serviceState, SERVICE_STATE_RUNNING);
    for (const char16_t* file :
         {u"AudioPanelApp.exe", u"Uninstall.exe", u"AudioConfig.cfg", u"Setup.ico",
          u"Skin\\Blue\\SkinSetting.ini", u"Language\\English\\Language.ini",
          u"Manual\\English\\Manual.pdf"})
        EXPECT_TRUE(Exists(install + file)) << Narrow(file);
    const std::u16string links =
        Win32Shortcuts().CommonProgramsFolder() + u"\\QLN47xx Sequence Test\\";
    for (const char16_t* link : {u"Panel.lnk", u"Uninstall.lnk", u"Manual.lnk"})
        EXPECT_TRUE(Exists(links + link)) << Narrow(link);
    auto uninstallKey =
        PlatformRegistry().OpenKey(RegistryHive::LocalMachine, state.UninstallInfo.KeyPath);
    ASSERT_TRUE(uninstallKey);
    EXPECT_EQ(uninstallKey->GetString(u"UninstallString"), QuotedPath(install + u"Uninstall.exe"));
    uninstallKey.reset();

    EXPECT_EQ(UninstallSequence(ports, state).Uninstall(install + u"Uninstall.exe"),
              UninstallOutcome::Removed);
    EXPECT_FALSE(Exists(install + u"Install.log"));
    EXPECT_FALSE(Exists(install + u"AudioPanelApp.exe"));
    std::u16string installFolder = install;
    installFolder.pop_back();
    EXPECT_FALSE(Exists(install + u"Uninstall.exe"));
    DeleteFileW(W(install + u"Uninstall.exe.removed"));  // the uninstaller's own file
    EXPECT_TRUE(RemoveDirectoryW(W(installFolder)));
    EXPECT_FALSE(ExistsInSystemFolder(state, u"drivers\\UAExt.sys"));
    EXPECT_FALSE(PlatformRegistry().OpenKey(RegistryHive::LocalMachine,
                                            u"SYSTEM\\CurrentControlSet\\Services\\UAExt"));
    EXPECT_FALSE(Exists(links));
    EXPECT_FALSE(
        PlatformRegistry().OpenKey(RegistryHive::LocalMachine, state.UninstallInfo.KeyPath));
    auto manager = Win32ServiceControl().OpenManager();
    ASSERT_TRUE(manager);
    EXPECT_FALSE(manager->OpenNamedService(u"AudioDeviceService"));
}

// A junction or symbolic link at path leading to target, as Windows makes it; this Wine's
// CreateSymbolicLinkW makes nothing, and Wine takes a symbolic link of the host's for one.
bool MakeLink(const std::u16string& path, const std::u16string& target) {
    if (CreateSymbolicLinkW(W(path), W(target), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        (GetFileAttributesW(W(path)) & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES)
        return true;
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return false;
    const std::u16string parent = path.substr(0, path.rfind(u'\\'));
    char* from = unixName(W(target));
    char* folder = unixName(W(parent));
    if (!from || !folder)
        return false;
    const std::string command = std::string("Z:\\bin\\ln -s \"") + from + "\" \"" + folder + "/" +
                                Narrow(path.substr(path.rfind(u'\\') + 1)) + "\"";
    HeapFree(GetProcessHeap(), 0, from);
    HeapFree(GetProcessHeap(), 0, folder);
    std::u16string wide(command.begin(), command.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, const_cast<wchar_t*>(W(wide)), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return false;
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    // The handle of a host program is signalled at once: wait for the link itself, bounded.
    for (int i = 0; i < 200; ++i) {
        const DWORD attributes = GetFileAttributesW(W(path));
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return true;
        Sleep(50);
    }
    return false;
}

bool FolderIsEmpty(const std::u16string& folder) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(W(folder + u"\\*"), &data);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    bool empty = true;
    do {
        const std::wstring name = data.cFileName;
        empty &= name == L"." || name == L"..";
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return empty;
}

struct RealPorts {
    RecordingWindow window;
    NoWaitSystem system;
    SetupPorts ports{PlatformRegistry(),
                     Win32ServiceControl(),
                     Win32SetupFiles(),
                     Win32PayloadResources(),
                     Win32SetupDevices(),
                     Win32Shortcuts(),
                     Win32Processes(),
                     PlatformSystemFolders(),
                     system,
                     window};
};

// Any program of the user's can put a link where the per-user folder would be: the installer,
// run elevated, writes nothing through it.
TEST(LinksWin32, TheInstallerWritesNothingThroughALinkInTheUsersProfile) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryW(W(folder.File(u"Media")), nullptr));
    folder.Write(
        u"Media\\AudioConfig.cfg",
        "[Install]\r\nInstallFolderName=QLN47xx Link Test\r\nInstallIconFileName=S.ico\r\n");
    folder.Write(u"Media\\S.ico", "icon");
    for (const char16_t* name : {u"AppData", u"Elsewhere", u"Install"})
        ASSERT_TRUE(CreateDirectoryW(W(folder.File(name)), nullptr));
    if (!MakeLink(folder.File(u"AppData\\QLN47xx Link Test"), folder.File(u"Elsewhere")))
        GTEST_SKIP() << "no link can be made here";
    RealPorts real;
    real.system.environment[u"APPDATA"] = folder.File(u"AppData");
    SetupState state;
    LoadAudioConfig(u"AudioConfig.cfg", folder.File(u"Media\\AudioSetupApp.exe"), state.Folders);
    state.Folders.InstallFolderFullPath = folder.File(u"Install\\");
    EXPECT_EQ(InstallSequence(real.ports, state).Install_Files(), 0u);
    EXPECT_TRUE(Exists(folder.File(u"Install\\AudioConfig.cfg")));
    EXPECT_TRUE(FolderIsEmpty(folder.File(u"Elsewhere")));
}

// An earlier installation listed a per-user copy. While the uninstaller waits for it (held open
// by a program), a link is put in place of its folder: the file behind the link stays.
TEST(LinksWin32, AJunctionSwappedInWhileTheUninstallerWaitsIsNotFollowed) {
    TempFolder folder;
    const std::u16string user = folder.File(u"AppData\\QLN47xx Swap Test");
    for (const std::u16string& name :
         {folder.File(u"AppData"), user, folder.File(u"Elsewhere"), folder.File(u"Moved")})
        ASSERT_TRUE(CreateDirectoryW(W(name), nullptr));
    folder.Write(u"Elsewhere\\AudioConfig.cfg", "not ours");
    const std::u16string userCopy =
        folder.Write(u"AppData\\QLN47xx Swap Test\\AudioConfig.cfg", "x");
    std::u16string programFiles = PlatformSystemFolders().GetProgramFilesFolder();
    const std::u16string install = programFiles + u"\\QLN47xx Swap Test";
    ASSERT_TRUE(CreateDirectoryW(W(install), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    WriteText(install + u"\\Uninstall.exe", "MZ");
    const std::vector<uint8_t> log =
        FormatInstallLog({{LogEntryKind::Folder, user, {}}, {LogEntryKind::File, userCopy, {}}});
    WriteText(install + u"\\Install.log", std::string(log.begin(), log.end()));

    RealPorts real;
    real.system.environment[u"APPDATA"] = folder.File(u"AppData");
    UniqueHandle held = MakeUniqueHandle(CreateFileW(W(userCopy), GENERIC_READ, FILE_SHARE_READ,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    bool swapped = false;
    real.system.onSleep = [&] {
        if (swapped)
            return;
        held.reset();
        swapped = MoveFileW(W(user), W(folder.File(u"Moved\\QLN47xx Swap Test"))) &&
                  MakeLink(user, folder.File(u"Elsewhere"));
    };
    SetupState state;
    LoadAudioConfig(u"AudioConfig.cfg", OwnPath(), state.Folders);
    state.IsWow64 = PlatformSystemFolders().IsWow64Process();
    const UninstallOutcome outcome =
        UninstallSequence(real.ports, state).Uninstall(install + u"\\Uninstall.exe");
    ASSERT_TRUE(swapped) << "no link could be made here";
    EXPECT_EQ(outcome, UninstallOutcome::SomeLeft);
    EXPECT_EQ(folder.Read(u"Elsewhere\\AudioConfig.cfg"), "not ours");

    DeleteFileW(W(install + u"\\Install.log"));
    DeleteFileW(W(install + u"\\Uninstall.exe"));
    RemoveDirectoryW(W(install));
    RemoveDirectoryW(W(user));  // the link, not what it leads to
}

}  // namespace

namespace {

constexpr wchar_t kLingerVariable[] = L"AUDIO_TEST_LINGER";

}  // namespace

// The child of the next test: a program that runs until it is ended.
TEST(RunningProgramsWin32, LingersWhenAsked) {
    if (GetEnvironmentVariableW(kLingerVariable, nullptr, 0) != 0)
        Sleep(60000);
}

// The panel's processes are found by their image path, whatever session or parent, and waited
// for through the handle; a program of the same name in another folder is not ours.
TEST(RunningProgramsWin32, FoundByImagePathAndWaitedFor) {
    TempFolder folder;
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const std::u16string panel = folder.File(u"AudioPanelApp.exe");
    ASSERT_TRUE(CopyFileW(self, W(panel), FALSE));
    std::u16string command =
        u"\"" + panel + u"\" --gtest_filter=RunningProgramsWin32.LingersWhenAsked";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    SetEnvironmentVariableW(kLingerVariable, L"1");
    const BOOL started = CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(&command[0]), nullptr,
                                        nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableW(kLingerVariable, nullptr);
    ASSERT_TRUE(started);
    UniqueHandle child(info.hProcess);
    CloseHandle(info.hThread);

    std::vector<std::unique_ptr<IProcessHandle>> running;
    for (int i = 0; i < 100 && running.empty(); ++i) {
        running = Win32Processes().OpenRunning({panel});
        if (running.empty())
            Sleep(100);
    }
    ASSERT_EQ(running.size(), 1u);
    EXPECT_FALSE(running[0]->Wait(0));
    // In any case of letters; another folder's program of the same name is not found.
    std::u16string upper = panel;
    for (char16_t& c : upper)
        c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
    EXPECT_EQ(Win32Processes().OpenRunning({upper}).size(), 1u);
    EXPECT_TRUE(Win32Processes().OpenRunning({folder.File(u"Other\\AudioPanelApp.exe")}).empty());

    TerminateProcess(child.get(), 0);
    EXPECT_TRUE(running[0]->Wait(10000));
    WaitForSingleObject(child.get(), 10000);
    EXPECT_TRUE(Win32Processes().OpenRunning({panel}).empty());
}
