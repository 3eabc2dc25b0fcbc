// The simulated machine's device tree, as the device enumeration port lists it.
#pragma once

#include <string>
#include <vector>

#include "ports/DeviceEnumerator.h"

struct SimDevice {
    // Hardware IDs, most specific first; none means the device has no such property.
    std::vector<std::u16string> hardwareIds;
    DeviceGuid setupClass{};
    std::vector<DeviceGuid> interfaceClasses;
    bool present = true;
};

class SimDeviceTree : public IDeviceEnumerator {
public:
    std::vector<SimDevice> devices;

    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override;

    // Makes the next GetClassDevs fail, as when the list cannot be made.
    bool failNextList = false;
    // The flags of the last GetClassDevs.
    uint32_t lastFlags = 0;
};

// The REG_MULTI_SZ bytes of a list of strings.
std::vector<uint8_t> MultiStringBytes(const std::vector<std::u16string>& strings);
