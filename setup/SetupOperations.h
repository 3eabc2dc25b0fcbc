// The installer's building blocks, shared by the steps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DeviceIdMgr.h"
#include "SetupContext.h"

// "==> name\n".
void TraceEntry(const std::u16string& name);

// 0 start and wait, 1 stop and wait, any other code: send it and do not wait.
// 0 done; 1 no service manager; 2 no such service; 3 no status; 4 stop refused; 5 not stopped in
// time; 6 start refused; 7 not running in time.
uint32_t ControlDeviceService(IServiceControl& services, ISetupSystem& system,
                              const std::u16string& name, uint32_t code);

// Takes the filter out of the upper-filter list of every device, present or not, that names it,
// and keeps the other filters in their order. The first hardware IDs of the devices changed are
// added to unbound. 0 no device lists the filter any more; 1 no device list could be obtained;
// 2 a device still lists it (its list could not be written).
uint32_t RemoveUpperFilter(ISetupDevices& devices, const DeviceGuid& guid,
                           const std::u16string& filterName,
                           std::vector<std::u16string>* unbound = nullptr);
// Restarts the present devices of the group (first hardware ID as long as the pattern) and those
// whose first hardware ID is one of alsoIds. 0, or 1 when no device list could be obtained.
uint32_t RestartMatchingDevices(ISetupDevices& devices, const DeviceGuid& guid,
                                const std::u16string& pattern, const CDeviceIdMgr& group,
                                const std::vector<std::u16string>& alsoIds = {});

// A size of 0 counts as missing.
std::optional<Payload> LoadPayload(IPayloadResources& resources, uint32_t id,
                                   const std::u16string& type);
int WritePayloadFile(ISetupFiles& files, const std::u16string& path, const Payload& payload);
// For files in use by the system (driver, service): the old file stays unless the new one is
// whole.
int ReplacePayloadFile(ISetupFiles& files, const std::u16string& path, const Payload& payload);

// CopyFileW over an existing destination, read-only or not; the copy is left writable (files
// from a CD are read-only, and so would be their copies).
bool CopyWritableFile(ISetupFiles& files, const std::u16string& from, const std::u16string& to);
// False when either path has no backslash before its last component.
bool CopyFolderTree(ISetupFiles& files, const std::u16string& source,
                    const std::u16string& destination);
std::optional<std::u16string> FindFirstPlainFile(ISetupFiles& files, const std::u16string& folder);

void CreateShortcut(IShortcuts& shortcuts, ISetupFiles& files, const std::u16string& folderName,
                    const std::u16string& target, const std::u16string& shortcutName);

// A path as a command: quoted, so a path with spaces cannot be taken for a shorter program.
std::u16string QuotedPath(const std::u16string& path);

// 0, or 1 when the Run key cannot be opened or created.
uint32_t SetRunValue(IRegistry& registry, const std::u16string& name,
                     const std::u16string& command);
bool WriteUninstallInfo(IRegistry& registry, const _REG_UNINSTALL_INFO& info);
_REG_UNINSTALL_INFO MakeUninstallInfo(const _APPLICATION_FOLDER_PATH& folders,
                                      const std::u16string& setupVersion);

// 0 done; 1 no version resource; 2 unreadable; 3 no fixed version block; 4 empty block.
uint32_t ReadFileVersion(ISetupSystem& system, const std::u16string& path, std::u16string& out);

// 0 done, 1 RtlGetVersion missing, 2 RtlGetVersion failed; the outputs change only on 0.
uint32_t GetWindowsVersion(ISetupSystem& system, int32_t& osFamily, int32_t& servicePackMajor);
bool IsWindowsUpdateInstalled(IRegistry& registry, const std::u16string& updateName);
enum class UpdateOutcome {
    Installed,
    RestartNeeded,
    AlreadyInstalled,
    NotApplicable,
    NotStarted,
    Failed
};
// Runs Windows' update installer of the native system folder on the package (its full path) and
// waits for it (NotStarted also when the package is missing); exitCode receives its exit code, when
// there is one.
UpdateOutcome InstallUpdatePackage(IProcesses& processes, ISetupFiles& files,
                                   ISystemFolders& folders, bool isWow64,
                                   const std::u16string& systemDirectory,
                                   const std::u16string& package, uint32_t* exitCode);
