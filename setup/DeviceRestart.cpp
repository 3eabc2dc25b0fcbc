#include "DeviceRestart.h"

#include <string>

#include "DebugTrace.h"
#include "DeviceRestartArguments.h"
#include "InstallLog.h"
#include "InstalledArtefacts.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "Wow64Redirection.h"

namespace {

constexpr uint32_t kHelperWaitMs = 100000;
// Far above any build of the service program.
constexpr size_t kServiceProgramLimit = 64u << 20;

std::u16string Decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

uint32_t RestartThroughServiceProgram(SetupPorts& ports, const SetupState& state,
                                      const std::vector<std::u16string>& alsoIds) {
    DeviceRestartRun run;
    run.pattern = kHardwareIdPattern;
    for (const auto& entry : state.UsbDeviceIds.ids)
        run.groupIds.push_back(entry.first);
    run.alsoIds = alsoIds;
    const std::u16string program = InstalledFilePath(kServiceProgramFile, state.Folders);
    const std::u16string command = QuotedPath(program) + u" " + DeviceRestartArguments(run);
    // The native system folder holds the 64-bit build.
    ScopedRedirectionOff redirection(ports.folders, true);
    // Before step 2 it is the previous product's program, which may not know the arguments.
    const auto bytes = ports.files.ReadWholeFile(program, kServiceProgramLimit);
    if (!bytes)
        return RESTART_HELPER_NOT_STARTED;
    if (state.ServiceProgramHash.empty() ||
        ContentHash(bytes->data(), bytes->size()) != state.ServiceProgramHash)
        return RESTART_HELPER_NOT_OURS;
    std::unique_ptr<IProcessHandle> process = ports.processes.Create(command);
    if (!process)
        return RESTART_HELPER_NOT_STARTED;
    if (!process->Wait(kHelperWaitMs)) {
        // Left running, it would hold its file and step 2 could not replace it.
        process->Terminate();
        return RESTART_HELPER_TIMEOUT;
    }
    const std::optional<uint32_t> code = process->ExitCode();
    if (!code)
        return RESTART_HELPER_FAILED;
    // An older service program without the verb ends with an error of its own.
    return *code <= 1 ? *code : RESTART_HELPER_FAILED;
}

}  // namespace

uint32_t RestartDevices(SetupPorts& ports, const SetupState& state,
                        const std::vector<std::u16string>& alsoIds) {
    if (!state.IsWow64)
        return RestartMatchingDevices(ports.devices, MEDIA_CLASS_GUID, kHardwareIdPattern,
                                      state.UsbDeviceIds, alsoIds);
    const uint32_t result = RestartThroughServiceProgram(ports, state, alsoIds);
    if (result != 0)
        DebugOutput(u"***** Restart devices in the 64-bit service program FAIL (" +
                    Decimal(result) + u") *****\n");
    return result;
}
