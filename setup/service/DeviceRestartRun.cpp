#include "DeviceRestartRun.h"

#include "DeviceIdMgr.h"
#include "DeviceRestartArguments.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

constexpr int kBadArguments = 87;  // ERROR_INVALID_PARAMETER

}  // namespace

std::optional<int> RunDeviceRestart(const wchar_t* commandLine) {
    const std::u16string line = U16(commandLine);
    if (!AsksForDeviceRestart(line))
        return std::nullopt;
    const std::optional<DeviceRestartRun> run = ParseDeviceRestartRun(line);
    // Never on to the service dispatcher, which would wait for a service manager that is not
    // there.
    if (!run)
        return kBadArguments;
    CDeviceIdMgr group;
    for (const std::u16string& id : run->groupIds)
        group.ids.emplace(id, std::u16string());
    return static_cast<int>(RestartMatchingDevices(Win32SetupDevices(), MEDIA_CLASS_GUID,
                                                   run->pattern, group, run->alsoIds));
}
