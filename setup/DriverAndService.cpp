#include "InstallSequence.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "Wow64Redirection.h"

namespace {

constexpr uint32_t kRegistrationTimeout = 100000;

bool WriteDriverServiceKey(IRegistry& registry) {
    std::unique_ptr<IRegistryKey> key =
        registry.CreateKey(RegistryHive::LocalMachine,
                           u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(kFilterName));
    if (!key)
        return false;
    key->SetDword(u"ErrorControl", 1);
    key->SetDword(u"Start", 3);
    key->SetDword(u"Type", 1);
    key->SetExpandString(u"ImagePath",
                         u"System32\\DRIVERS\\" + std::u16string(kFilterName) + u".sys");
    key->Flush();
    return true;
}

}  // namespace

uint32_t InstallSequence::Install_FilterDriver() {
    TraceEntry(u"TMainForm::Install_FilterDriver");
    if (!WriteDriverServiceKey(ports_.registry))
        return FILTER_DRIVER_KEY_FAILED;
    recorder_.Record({LogEntryKind::Key,
                      u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(kFilterName),
                      {}});
    ports_.window.PostProgress(10);
    {
        ScopedRedirectionOff redirection(ports_.folders, state_.IsWow64);
        const auto payload = LoadPayload(ports_.resources,
                                         state_.IsWow64 ? RES_DRIVER_64 : RES_DRIVER_32, u"DRIVER");
        if (!payload)
            return FILTER_DRIVER_NO_RESOURCE;
        const std::u16string path =
            state_.Folders.SystemDirectory + u"drivers\\" + kFilterName + u".sys";
        if (ReplacePayloadFile(ports_.files, path, *payload) != WRITE_FILE_OK)
            return FILTER_DRIVER_WRITE_FAILED;
    }
    ports_.window.PostProgress(20);
    return 0;
}

uint32_t InstallSequence::Install_Service() {
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 1);
    // Step 3 rewrites the panel's program file.
    EndRunningPanel();
    ports_.window.PostProgress(30);
    {
        ScopedRedirectionOff redirection(ports_.folders, state_.IsWow64);
        const auto payload = LoadPayload(
            ports_.resources, state_.IsWow64 ? RES_SERVICE_64 : RES_SERVICE_32, u"SERVICE");
        if (!payload)
            return SERVICE_NO_RESOURCE;
        const std::u16string path = state_.Folders.SystemDirectory + kServiceName + u".exe";
        if (ReplacePayloadFile(ports_.files, path, *payload) != WRITE_FILE_OK)
            return SERVICE_WRITE_FAILED;
        ports_.window.PostProgress(40);

        // Quoted: the command line must name this program even if the folder has spaces.
        std::unique_ptr<IProcessHandle> process =
            ports_.processes.Create(QuotedPath(path) + u" /Service");
        if (!process)
            return SERVICE_REGISTRATION_NOT_STARTED;
        if (!process->Wait(kRegistrationTimeout))
            return SERVICE_REGISTRATION_TIMEOUT;
    }
    recorder_.Record({LogEntryKind::Service, kServiceName, {}});
    ports_.window.PostProgress(50);
    ControlDeviceService(ports_.services, ports_.system, kServiceName, 0);
    ports_.window.PostProgress(60);
    return 0;
}
