// In-memory stand-ins for the installer's ports, and one machine that wires them together.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../shared/FakeSystemFolders.h"
#include "MemoryFiles.h"
#include "MemoryRegistry.h"
#include "SetupContext.h"

class FakeResources : public IPayloadResources {
public:
    // Type upper-cased, as the resource compiler stores it.
    std::map<std::pair<uint32_t, std::u16string>, std::string> resources;

    void Add(uint32_t id, const std::u16string& type, const std::string& bytes);
    std::optional<Payload> Find(uint32_t id, const std::u16string& type) override;
};

struct FakeService {
    uint32_t state = SERVICE_STATE_STOPPED;
    bool refuseStop = false;
    bool refuseStart = false;
    bool neverSettles = false;  // stays where it is after a request
    bool queryFails = false;
    std::vector<uint32_t> controls;  // codes sent
    int starts = 0;
    int pollsToSettle = 2;
    bool deleted = false;
    std::u16string imagePath;  // as the service manager holds it
};

class FakeServices : public IServiceControl {
public:
    bool managerFails = false;
    std::map<std::u16string, FakeService> services;
    int openHandles = 0;

    std::unique_ptr<IServiceManagerHandle> OpenManager() override;
};

struct FakeDevice {
    std::vector<std::u16string> hardwareIds;
    std::vector<std::u16string> upperFilters;
    bool upperFiltersAreMultiString = true;
    bool present = true;
    bool disableFails = false;
    bool filtersWriteFails = false;
    std::vector<std::string> restarts;  // "disable", "enable", "flags"
};

class FakeDevices : public ISetupDevices {
public:
    std::vector<FakeDevice> devices;
    bool allListFails = false;
    bool presentListFails = false;
    // SetupDiCallClassInstaller fails (ERROR_IN_WOW64: a 32-bit process on 64-bit Windows).
    bool classInstallerRefuses = false;
    // Answers each probe of the filter's interface in turn; the last answer repeats.
    std::vector<bool> interfaceOpens = {false};
    std::vector<std::u16string> probes;
    std::vector<uint32_t> listFlags;
    // Upper-filter removals are also noted here ("unbind"), to order them against file work.
    std::vector<std::string>* events = nullptr;

    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override;
    std::unique_ptr<ISetupDeviceList> OpenDeviceList(const DeviceGuid& guid,
                                                     uint32_t flags) override;
    bool CanOpenInterface(const std::u16string& path) override;
};

class FakeShortcuts : public IShortcuts {
public:
    bool createFails = false;
    bool saveFails = false;
    std::map<std::u16string, std::u16string> saved;  // link path → target
    MemoryFiles* files = nullptr;                    // where saved links are also written
    std::u16string programs = u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

    std::unique_ptr<IShellLinkObject> CreateLink() override;
    std::u16string CommonProgramsFolder() override { return programs; }
};

class FakeProcesses : public IProcesses {
public:
    bool createFails = false;
    bool endsInTime = true;
    uint32_t exitCode = 0;  // of a created process, once waited for (onRun may set it)
    std::vector<std::u16string> created;
    bool desktopShellMissing = false;
    std::vector<std::u16string> openedAsDesktopUser;
    std::vector<uint32_t> waits;
    std::vector<std::u16string> terminated;  // commands of processes ended by force
    // Whether a command's program can be started; every one when unset.
    std::function<bool(const std::u16string&)> canStart;
    // Runs when a created process is waited for (the service program registering itself).
    std::function<void(const std::u16string&)> onRun;

    // Programs running beside the installer (the panel): each ends once the window has
    // broadcast the exit message endsAtBroadcast times, and then lets go of its file.
    struct Running {
        std::u16string program;
        int endsAtBroadcast = 1;
    };
    std::vector<Running> running;
    const int* broadcasts = nullptr;  // the window's count
    MemoryFiles* files = nullptr;     // where a running program's file is in use
    std::vector<uint32_t> runningWaits;

    std::unique_ptr<IProcessHandle> Create(const std::u16string& commandLine) override;
    std::vector<std::unique_ptr<IProcessHandle>> OpenRunning(
        const std::vector<std::u16string>& programs) override;
    // Starts a program that holds its file until it has heard the exit message so many times.
    void Run(const std::u16string& program, int endsAtBroadcast);
    bool Ended(const Running& process) const;
    bool OpenAsDesktopUser(const std::u16string& file) override {
        if (desktopShellMissing)
            return false;
        openedAsDesktopUser.push_back(file);
        return true;
    }
};

class FakeSystem : public ISetupSystem {
public:
    explicit FakeSystem(MemoryFiles& files) : files_(files) {}

    uint32_t slept = 0;
    std::vector<std::pair<uint32_t, uint32_t>> beeps;
    std::map<std::u16string, std::u16string> environment;
    int rtlStatus = RTL_VERSION_OK;
    RtlVersion rtl{6, 1, 7601, 1};
    // Version resources by file path.
    std::map<std::u16string, FixedFileVersion> versions;
    bool versionUnreadable = false;
    bool versionBlockMissing = false;
    bool versionBlockEmpty = false;
    int reboots = 0;
    std::function<void()> onSleep;  // what changes while the program waits

    void Sleep(uint32_t milliseconds) override {
        slept += milliseconds;
        if (onSleep)
            onSleep();
    }
    void Beep(uint32_t frequency, uint32_t milliseconds) override {
        beeps.push_back({frequency, milliseconds});
    }
    std::optional<std::u16string> GetEnvironment(const std::u16string& name) override;
    int GetRtlVersion(RtlVersion& out) override;
    uint32_t FileVersionInfoSize(const std::u16string& path) override;
    bool FileVersionInfo(const std::u16string& path, std::vector<uint8_t>& buffer) override;
    bool QueryFixedVersion(const std::vector<uint8_t>& buffer, FixedFileVersion& out,
                           uint32_t& length) override;
    int ReadProfile(const std::u16string& path, const std::u16string& section,
                    const std::u16string& key, std::u16string& value) override {
        return files_.ReadProfile(path, section, key, value);
    }
    bool WriteProfile(const std::u16string& path, const std::u16string& section,
                      const std::u16string& key, const std::u16string& value) override {
        return files_.WriteProfile(path, section, key, value);
    }
    void Reboot() override { ++reboots; }

private:
    MemoryFiles& files_;
    std::u16string lastVersionPath_;
};

class FakeWindow : public IWizardWindow {
public:
    std::vector<int> progress;
    int done = 0;
    std::vector<std::u16string> messages;
    std::vector<std::u16string> captions;
    int broadcasts = 0;
    bool answerYes = true;
    int questions = 0;
    // Runs when a progress message is posted (to act while the worker is inside a step).
    std::function<void(int)> onProgress;

    void PostProgress(int percent) override;
    void PostDone() override { ++done; }
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override {
        messages.push_back(text);
        captions.push_back(caption);
    }
    bool AskYesNo(const std::u16string&, const std::u16string&) override {
        ++questions;
        return answerYes;
    }
    void BroadcastPanelExit() override { ++broadcasts; }
};

// A typical machine: the installer in C:\Media\, Program Files at C:\Program Files, the headset
// not plugged in, every payload present, the texts of one language loaded.
struct SetupMachine {
    SetupMachine();

    MemoryFiles files;
    MemoryRegistry registry;
    FakeServices services;
    FakeResources resources;
    FakeDevices devices;
    FakeShortcuts shortcuts;
    FakeProcesses processes;
    FakeSystemFolders folders;
    FakeSystem system{files};
    FakeWindow window;
    SetupPorts ports{registry,  services,  files,   resources, devices,
                     shortcuts, processes, folders, system,    window};
    SetupState state;
    std::vector<std::string> trace;

    ~SetupMachine();
    // Loads a USB group that accepts the headset's audio function (MI_03).
    void LoadHeadsetGroup();
    // The headset's audio function, as present in the device tree.
    FakeDevice& PlugHeadset(std::vector<std::u16string> upperFilters = {});
    bool Traced(const std::string& line) const;
    // The program file a quoted command starts, as the file system redirection shows it.
    std::u16string ProgramOf(const std::u16string& command) const;
};

inline constexpr const char16_t* kHeadsetAudioId = u"USB\\VID_3F9C&PID_4712&REV_0100&MI_03";
