// One device-ID group of AudioConfig.cfg: the IDs whose check code deciphers to the ID itself.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DeviceGuid.h"
#include "IniMgr.h"
#include "ports/DeviceEnumerator.h"
#include "ports/Registry.h"

class CDeviceIdMgr {
public:
    CIniMgr ini;
    std::vector<std::u16string> entries;
    // Accepted ID → its code, ordered by ID; equal IDs keep their file order.
    std::multimap<std::u16string, std::u16string> ids;

    // 0 loaded; 1 the file cannot be loaded; 2 no such section; 3 no name=value lines;
    // 4 an entry with an empty ID or code (the IDs accepted before it stay).
    int32_t LoadGroup(const std::u16string& configPath, const std::u16string& sectionName);
    // X (either case) in a listed ID stands for any one character; letters compare in any case.
    bool IsMatch(const std::u16string& hardwareId) const;
    void Clear();

private:
    int32_t ParseEntries();
};

// Walks the present devices (the program's own DIGCF flags) and returns the first whose first
// hardware ID is as long as the pattern and belongs to the group; stores that ID in result.
bool FindPresentDevice(const DeviceGuid& guid, const std::u16string& pattern,
                       const CDeviceIdMgr& manager, std::u16string* result,
                       IDeviceEnumerator& devices = PlatformDeviceEnumerator());

#if AUDIO_SETUP_APP
// Publishes the accepted entries under HKLM\SOFTWARE\<groupName> as "1", "2", ... = "ID,code".
uint32_t SaveGroupToRegistry(const CDeviceIdMgr& manager, const std::u16string& groupName,
                             IRegistry& registry = PlatformRegistry());
#endif
