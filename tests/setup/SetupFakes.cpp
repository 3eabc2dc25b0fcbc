#include "SetupFakes.h"

#include <algorithm>

#include "DebugTrace.h"
#include "DeviceRestartArguments.h"
#include "RemovalPlaces.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

std::u16string Upper(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 0x20);
    }
    return text;
}

// Settles after a few polls unless told otherwise.
class FakeServiceHandle : public IServiceHandle {
public:
    FakeServiceHandle(FakeService& service, int& openHandles)
        : service_(service), openHandles_(openHandles) {
        ++openHandles_;
    }
    ~FakeServiceHandle() override { --openHandles_; }

    bool QueryState(uint32_t* state) override {
        if (service_.queryFails)
            return false;
        if (target_ && --pollsLeft_ <= 0) {
            service_.state = *target_;
            target_.reset();
        }
        *state = service_.state;
        return true;
    }
    bool Control(uint32_t code) override {
        service_.controls.push_back(code);
        if (code != SERVICE_CONTROL_STOP_CODE)
            return true;
        if (service_.refuseStop)
            return false;
        Request(SERVICE_STATE_STOPPED);
        return true;
    }
    bool Start() override {
        ++service_.starts;
        if (service_.refuseStart)
            return false;
        Request(SERVICE_STATE_RUNNING);
        return true;
    }

    bool Delete() override {
        service_.deleted = true;
        return true;
    }
    std::optional<std::u16string> ImagePath() override { return service_.imagePath; }

private:
    void Request(uint32_t state) {
        if (service_.neverSettles)
            return;
        target_ = state;
        pollsLeft_ = service_.pollsToSettle;
    }

    FakeService& service_;
    int& openHandles_;
    std::optional<uint32_t> target_;
    int pollsLeft_ = 0;
};

class FakeManagerHandle : public IServiceManagerHandle {
public:
    explicit FakeManagerHandle(FakeServices& services) : services_(services) {
        ++services_.openHandles;
    }
    ~FakeManagerHandle() override { --services_.openHandles; }

    std::unique_ptr<IServiceHandle> OpenNamedService(const std::u16string& name) override {
        const auto found = services_.services.find(name);
        if (found == services_.services.end())
            return nullptr;
        return std::make_unique<FakeServiceHandle>(found->second, services_.openHandles);
    }

private:
    FakeServices& services_;
};

class FakeDeviceList : public ISetupDeviceList {
public:
    FakeDeviceList(std::vector<FakeDevice*> devices, std::vector<std::string>* events,
                   bool classInstallerRefuses)
        : devices_(std::move(devices)),
          events_(events),
          classInstallerRefuses_(classInstallerRefuses) {}

    bool EnumDeviceInfo(uint32_t index) override { return index < devices_.size(); }
    std::optional<std::vector<uint8_t>> GetDeviceRegistryProperty(uint32_t index, uint32_t property,
                                                                  uint32_t* dataType) override {
        if (index >= devices_.size())
            return std::nullopt;
        const FakeDevice& device = *devices_[index];
        const std::vector<std::u16string>* strings = nullptr;
        if (property == SPDRP_HARDWAREID_PROPERTY)
            strings = &device.hardwareIds;
        else if (property == SPDRP_UPPERFILTERS_PROPERTY)
            strings = &device.upperFilters;
        if (!strings || strings->empty())
            return std::nullopt;
        *dataType = property == SPDRP_UPPERFILTERS_PROPERTY && !device.upperFiltersAreMultiString
                        ? 1u
                        : REG_MULTI_SZ_TYPE;
        std::vector<uint8_t> bytes;
        for (const std::u16string& text : *strings) {
            for (char16_t unit : text + u'\0') {
                bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
                bytes.push_back(static_cast<uint8_t>(unit >> 8));
            }
        }
        bytes.push_back(0);
        bytes.push_back(0);
        return bytes;
    }
    bool SetUpperFilters(uint32_t index, const std::vector<std::u16string>& filters) override {
        FakeDevice& device = *devices_[index];
        if (device.filtersWriteFails)
            return false;
        device.upperFilters = filters;
        device.upperFiltersAreMultiString = true;
        if (events_)
            events_->push_back("unbind");
        return true;
    }
    bool ChangeState(uint32_t index, uint32_t stateChange) override {
        FakeDevice& device = *devices_[index];
        // As Windows answers a 32-bit process on 64-bit Windows.
        if (classInstallerRefuses_ || (stateChange == DICS_DISABLE_CHANGE && device.disableFails))
            return false;
        device.restarts.push_back(stateChange == DICS_DISABLE_CHANGE ? "disable" : "enable");
        return true;
    }
    bool GetInstallFlags(uint32_t index, uint32_t* flags) override {
        devices_[index]->restarts.push_back("flags");
        *flags = 0;
        return true;
    }

private:
    std::vector<FakeDevice*> devices_;
    std::vector<std::string>* events_;
    bool classInstallerRefuses_;
};

class FakeLink : public IShellLinkObject {
public:
    explicit FakeLink(FakeShortcuts& owner) : owner_(owner) {}
    bool SetPath(const std::u16string& target) override {
        target_ = target;
        return true;
    }
    bool Save(const std::u16string& linkPath) override {
        if (owner_.saveFails)
            return false;
        owner_.saved[linkPath] = target_;
        if (owner_.files)
            owner_.files->AddFile(linkPath, "link to " + Narrow8(target_));
        return true;
    }

private:
    FakeShortcuts& owner_;
    std::u16string target_;
};

class FakeProcess : public IProcessHandle {
public:
    FakeProcess(FakeProcesses& owner, std::u16string command)
        : owner_(owner), command_(std::move(command)) {}
    bool Wait(uint32_t milliseconds) override {
        owner_.waits.push_back(milliseconds);
        if (owner_.onRun)
            owner_.onRun(command_);
        return owner_.endsInTime;
    }
    std::optional<uint32_t> ExitCode() override {
        return owner_.endsInTime ? std::optional<uint32_t>(owner_.exitCode) : std::nullopt;
    }
    bool Terminate() override {
        owner_.terminated.push_back(command_);
        return true;
    }

private:
    FakeProcesses& owner_;
    std::u16string command_;
};

}  // namespace

void FakeResources::Add(uint32_t id, const std::u16string& type, const std::string& bytes) {
    resources[{id, Upper(type)}] = bytes;
}

std::optional<Payload> FakeResources::Find(uint32_t id, const std::u16string& type) {
    const auto found = resources.find({id, Upper(type)});
    if (found == resources.end())
        return std::nullopt;
    return Payload{reinterpret_cast<const uint8_t*>(found->second.data()), found->second.size()};
}

std::unique_ptr<IServiceManagerHandle> FakeServices::OpenManager() {
    if (managerFails)
        return nullptr;
    return std::make_unique<FakeManagerHandle>(*this);
}

std::unique_ptr<IDeviceInfoList> FakeDevices::GetClassDevs(const DeviceGuid& guid, uint32_t flags) {
    return OpenDeviceList(guid, flags);
}

std::unique_ptr<ISetupDeviceList> FakeDevices::OpenDeviceList(const DeviceGuid&, uint32_t flags) {
    listFlags.push_back(flags);
    const bool present = (flags & DIGCF_PRESENT_FLAG) != 0;
    if ((present && presentListFails) || (!present && allListFails))
        return nullptr;
    std::vector<FakeDevice*> selected;
    for (FakeDevice& device : devices) {
        if (!present || device.present)
            selected.push_back(&device);
    }
    return std::make_unique<FakeDeviceList>(std::move(selected), events, classInstallerRefuses);
}

bool FakeDevices::CanOpenInterface(const std::u16string& path) {
    const size_t index = std::min(probes.size(), interfaceOpens.size() - 1);
    probes.push_back(path);
    return interfaceOpens[index];
}

std::unique_ptr<IShellLinkObject> FakeShortcuts::CreateLink() {
    if (createFails)
        return nullptr;
    return std::make_unique<FakeLink>(*this);
}

std::unique_ptr<IProcessHandle> FakeProcesses::Create(const std::u16string& commandLine) {
    created.push_back(commandLine);
    if (createFails || (canStart && !canStart(commandLine)))
        return nullptr;
    return std::make_unique<FakeProcess>(*this, commandLine);
}

namespace {

class FakeRunningProcess : public IProcessHandle {
public:
    FakeRunningProcess(FakeProcesses& owner, size_t index) : owner_(owner), index_(index) {}
    bool Wait(uint32_t milliseconds) override {
        owner_.runningWaits.push_back(milliseconds);
        return owner_.Ended(owner_.running[index_]);
    }
    std::optional<uint32_t> ExitCode() override { return std::nullopt; }
    bool Terminate() override { return false; }  // the panel is asked, never ended

private:
    FakeProcesses& owner_;
    size_t index_;
};

}  // namespace

void FakeProcesses::Run(const std::u16string& program, int endsAtBroadcast) {
    running.push_back({program, endsAtBroadcast});
    if (files)
        files->inUse.insert(program);
}

bool FakeProcesses::Ended(const Running& process) const {
    const bool ended = broadcasts && *broadcasts >= process.endsAtBroadcast;
    if (ended && files)
        files->inUse.erase(process.program);
    return ended;
}

std::vector<std::unique_ptr<IProcessHandle>> FakeProcesses::OpenRunning(
    const std::vector<std::u16string>& programs) {
    std::vector<std::unique_ptr<IProcessHandle>> open;
    for (size_t i = 0; i < running.size(); ++i) {
        for (const std::u16string& program : programs) {
            if (!Ended(running[i]) && SamePath(program, running[i].program))
                open.push_back(std::make_unique<FakeRunningProcess>(*this, i));
        }
    }
    return open;
}

std::optional<std::u16string> FakeSystem::GetEnvironment(const std::u16string& name) {
    // Names match in any case, as on Windows.
    for (const auto& [key, value] : environment) {
        if (Upper(key) == Upper(name))
            return value;
    }
    return std::nullopt;
}

int FakeSystem::GetRtlVersion(RtlVersion& out) {
    if (rtlStatus == RTL_VERSION_OK)
        out = rtl;
    return rtlStatus;
}

uint32_t FakeSystem::FileVersionInfoSize(const std::u16string& path) {
    lastVersionPath_ = path;
    return versions.count(path) ? 100 : 0;
}

bool FakeSystem::FileVersionInfo(const std::u16string& path, std::vector<uint8_t>& buffer) {
    return !versionUnreadable && versions.count(path) && buffer.size() >= 100;
}

bool FakeSystem::QueryFixedVersion(const std::vector<uint8_t>&, FixedFileVersion& out,
                                   uint32_t& length) {
    if (versionBlockMissing)
        return false;
    length = versionBlockEmpty ? 0 : 52;
    out = versions[lastVersionPath_];
    return true;
}

void FakeWindow::PostProgress(int percent) {
    progress.push_back(percent);
    if (onProgress)
        onProgress(percent);
}

SetupMachine::SetupMachine() {
    SetDebugOutputSink([this](const std::u16string& line) { trace.push_back(Narrow8(line)); });

    _APPLICATION_FOLDER_PATH& f = state.Folders;
    f.SourceFolderFullPath = u"C:\\Media\\";
    f.SourceFolder = f.SourceFolderFullPath;
    f.ProgramFilesFolder = u"C:\\Program Files\\";
    f.InstallFolderName = u"QLN Audio";
    f.InstallFolderFullPath = u"C:\\Program Files\\QLN Audio\\";
    f.LanguageFolderName = u"Language";
    f.SkinFolderName = u"Skin";
    f.InstallIconFileName = u"Setup.ico";
    f.APPFileName = u"AudioPanelApp";
    f.UninstallFileName = u"Uninstall";
    f.ShortcutFolderName = u"QLN Audio";
    f.AppShortcutName = u"Audio Panel";
    f.UninstallShortcutName = u"Uninstall Audio";
    f.UserManualShortcutName = u"User Manual";
    f.UninstallDisplayName = u"QLN 7.1 USB Audio";
    f.Publisher = u"QLN";
    f.SystemFolder = u"C:\\Windows\\System32\\";
    f.SystemDirectory = u"C:\\Windows\\System32\\";
    state.SetupVersion = u"1.2.3.4";
    state.OsFamily = 6;
    state.UninstallInfo = MakeUninstallInfo(f, state.SetupVersion);
    state.Texts[LabelWarning1].Text = u"Old driver still active.";
    state.Texts[LabelWarning2].Text = u"Installation failed.";
    state.Texts[LabelWarning3].Text = u"Please reboot.";
    state.Texts[LabelWarning4].Text = u"Installing a Windows update.";

    devices.events = &files.log;
    shortcuts.files = &files;
    processes.broadcasts = &window.broadcasts;
    processes.files = &files;
    files.AddFolder(u"C:\\Program Files");
    files.AddFolder(u"C:\\Windows\\System32\\drivers");
    files.AddFolder(u"C:\\Windows\\SysWOW64");
    files.AddFolder(shortcuts.programs);
    files.AddFolder(u"C:\\Users\\me\\AppData\\Roaming");
    files.AddFile(u"C:\\Media\\AudioConfig.cfg", "[Language]\r\nDefaultLanguage=English\r\n");
    files.AddFile(u"C:\\Media\\Setup.ico", "icon");
    files.AddFile(u"C:\\Windows\\System32\\wusa.exe", "update installer");
    files.AddFile(u"C:\\Media\\Skin\\Blue\\SkinSetting.ini", "skin");
    files.AddFile(u"C:\\Media\\Language\\English\\Language.ini", "[Setup]\r\n");
    files.AddFile(u"C:\\Media\\Manual\\English\\Manual.pdf", "manual");
    system.environment[u"APPDATA"] = u"C:\\Users\\me\\AppData\\Roaming";

    resources.Add(RES_DRIVER_32, u"DRIVER", "driver32");
    resources.Add(RES_DRIVER_64, u"DRIVER", "driver64");
    resources.Add(RES_SERVICE_32, u"SERVICE", "service32");
    resources.Add(RES_SERVICE_64, u"SERVICE", "service64");
    resources.Add(RES_APP, u"APP", "panel");
    resources.Add(RES_UNINSTALL, u"UNINSTALL", "uninstaller");
    resources.Add(RES_WINDOWPATCH, u"WINDOWPATCH", "msu");

    // A program runs only from where it is; a quoted path in System32 is looked up in SysWOW64
    // while a 32-bit process has the redirection on.
    processes.canStart = [this](const std::u16string& command) {
        return command.empty() || command[0] != u'"' || files.IsFile(ProgramOf(command));
    };
    // The service program registers the service when it runs with " /Service", and restarts
    // devices with "/RestartDevices": in a process of its own width, so only the 64-bit build
    // reaches the class installer on 64-bit Windows.
    processes.onRun = [this](const std::u16string& command) {
        if (command.size() > 9 && command.compare(command.size() - 9, 9, u" /Service") == 0)
            services.services[kServiceName].imagePath = command.substr(0, command.size() - 9);
        const size_t verb = command.find(u"\" /RestartDevices");
        if (verb == std::u16string::npos)
            return;
        const std::optional<DeviceRestartRun> run = ParseDeviceRestartRun(command.substr(verb + 2));
        if (!run) {
            processes.exitCode = 87;
            return;
        }
        CDeviceIdMgr group;
        for (const std::u16string& id : run->groupIds)
            group.ids.emplace(id, u"");
        const bool refuses = devices.classInstallerRefuses;
        devices.classInstallerRefuses = files.Read(ProgramOf(command)) != "service64";
        processes.exitCode =
            RestartMatchingDevices(devices, MEDIA_CLASS_GUID, run->pattern, group, run->alsoIds);
        devices.classInstallerRefuses = refuses;
    };
}

std::u16string SetupMachine::ProgramOf(const std::u16string& command) const {
    const size_t close = command.find(u'"', 1);
    if (command.empty() || command[0] != u'"' || close == std::u16string::npos)
        return {};
    std::u16string program = command.substr(1, close - 1);
    const std::u16string native = u"C:\\Windows\\System32\\";
    if (folders.wow64 && folders.redirected && program.compare(0, native.size(), native) == 0)
        program = u"C:\\Windows\\SysWOW64\\" + program.substr(native.size());
    return program;
}

SetupMachine::~SetupMachine() {
    SetDebugOutputSink(nullptr);
}

void SetupMachine::LoadHeadsetGroup() {
    state.UsbDeviceIds.ids.emplace(u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03", u"code");
}

FakeDevice& SetupMachine::PlugHeadset(std::vector<std::u16string> upperFilters) {
    FakeDevice headset;
    headset.hardwareIds = {kHeadsetAudioId, u"USB\\VID_3F9C&PID_4712&MI_03"};
    headset.upperFilters = std::move(upperFilters);
    devices.devices.push_back(headset);
    return devices.devices.back();
}

bool SetupMachine::Traced(const std::string& line) const {
    return std::find(trace.begin(), trace.end(), line) != trace.end();
}
