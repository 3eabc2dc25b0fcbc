#include "InstallSequence.h"
#include "InstalledArtefacts.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "Wow64Redirection.h"

namespace {

constexpr uint32_t kRegistrationTimeout = 100000;

}  // namespace

uint32_t InstallSequence::Install_FilterDriver() {
    TraceEntry(u"TMainForm::Install_FilterDriver");
    if (const uint32_t failed = WriteRegistryValues(1))
        return failed;
    ports_.window.PostProgress(10);
    {
        ScopedRedirectionOff redirection(ports_.folders, state_.IsWow64);
        const auto payload = LoadPayload(ports_.resources,
                                         state_.IsWow64 ? RES_DRIVER_64 : RES_DRIVER_32, u"DRIVER");
        if (!payload)
            return FILTER_DRIVER_NO_RESOURCE;
        const std::u16string path = InstalledFilePath(kDriverFile, state_.Folders);
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
        const std::u16string path = InstalledFilePath(kServiceProgramFile, state_.Folders);
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
