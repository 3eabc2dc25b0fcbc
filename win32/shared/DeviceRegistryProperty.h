// One device property through SetupAPI; the caller owns the buffer.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <cstdint>
#include <memory>

struct PropertyBuffer {
    std::unique_ptr<uint8_t[]> data;
    DWORD size = 0;  // bytes the call filled
};

// Empty (no data) when the device has no such property or it cannot be read.
PropertyBuffer GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                         DWORD* dataType);
