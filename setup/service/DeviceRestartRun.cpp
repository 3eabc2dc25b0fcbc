#include "DeviceRestartRun.h"

#include "DeviceIdMgr.h"
#include "DeviceRestartArguments.h"
#include "SetupNames.h"
#include "SetupOperations.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

std::optional<int> RunDeviceRestart(const wchar_t* commandLine) {
    const std::optional<DeviceRestartRun> run = ParseDeviceRestartRun(U16(commandLine));
    if (!run)
        return std::nullopt;
    CDeviceIdMgr group;
    for (const std::u16string& id : run->groupIds)
        group.ids.emplace(id, std::u16string());
    return static_cast<int>(RestartMatchingDevices(Win32SetupDevices(), MEDIA_CLASS_GUID,
                                                   run->pattern, group, run->alsoIds));
}
