// Port: the present devices, as SetupDiGetClassDevsW and SetupDiEnumDeviceInfo list them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "DeviceGuid.h"

enum : uint32_t {
    DIGCF_PRESENT_FLAG = 0x02,
    DIGCF_ALLCLASSES_FLAG = 0x04,
    DIGCF_DEVICEINTERFACE_FLAG = 0x10,
};

enum : uint32_t {
    SPDRP_HARDWAREID_PROPERTY = 1,
    REG_MULTI_SZ_TYPE = 7,
};

// One device-information set; destroyed with the object.
class IDeviceInfoList {
public:
    virtual ~IDeviceInfoList() = default;

    // SetupDiEnumDeviceInfo: false when there is no device at that index.
    virtual bool EnumDeviceInfo(uint32_t index) = 0;
    // GetDeviceRegistryProperty: the property's raw data (REG_MULTI_SZ is UTF-16LE with zeros),
    // or nothing when the device has none.
    virtual std::optional<std::vector<uint8_t>> GetDeviceRegistryProperty(uint32_t index,
                                                                          uint32_t property,
                                                                          uint32_t* dataType) = 0;
};

class IDeviceEnumerator {
public:
    virtual ~IDeviceEnumerator() = default;

    // SetupDiGetClassDevsW(guid, no enumerator, no window, flags). Null when no list can be made.
    virtual std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid,
                                                          uint32_t flags) = 0;
};

IDeviceEnumerator& PlatformDeviceEnumerator();
