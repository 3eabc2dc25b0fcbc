// Port: the device manager as the installer uses it: upper filters, restarts and the probe of
// the filter's device interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DeviceGuid.h"
#include "ports/DeviceEnumerator.h"

enum : uint32_t {
    SPDRP_UPPERFILTERS_PROPERTY = 0x11,  // 0x12 would be the lower filters
    REG_SZ_TYPE = 1,
    DICS_ENABLE_CHANGE = 1,
    DICS_DISABLE_CHANGE = 2,
    DI_NEEDREBOOT_FLAG = 0x100,
};

class ISetupDeviceList : public IDeviceInfoList {
public:
    // SetupDiSetDeviceRegistryPropertyW(SPDRP_UPPERFILTERS) with the list as REG_MULTI_SZ; an
    // empty list removes the property (no buffer, size 0).
    virtual bool SetUpperFilters(uint32_t index, const std::vector<std::u16string>& filters) = 0;
    // SetupDiSetClassInstallParamsW with a DIF_PROPERTYCHANGE request (the state change,
    // DICS_FLAG_CONFIGSPECIFIC, the current profile), then SetupDiCallClassInstaller.
    virtual bool ChangeState(uint32_t index, uint32_t stateChange) = 0;
    // SetupDiGetDeviceInstallParamsW: the Flags field.
    virtual bool GetInstallFlags(uint32_t index, uint32_t* flags) = 0;
};

class ISetupDevices : public IDeviceEnumerator {
public:
    // SetupDiGetClassDevsW(guid, no enumerator, no window, flags); null when there is no list.
    virtual std::unique_ptr<ISetupDeviceList> OpenDeviceList(const DeviceGuid& guid,
                                                             uint32_t flags) = 0;
    // CreateFileW(path, read and write, shared read and write, OPEN_EXISTING); the handle is
    // closed at once. True when the open succeeded.
    virtual bool CanOpenInterface(const std::u16string& path) = 0;
};
