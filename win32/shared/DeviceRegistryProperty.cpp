#include "DeviceRegistryProperty.h"

#include <new>

PropertyBuffer GetDeviceRegistryProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property,
                                         DWORD* dataType) {
    PropertyBuffer result;
    DWORD required = 0;
    if (SetupDiGetDeviceRegistryPropertyW(set, device, property, nullptr, nullptr, 0, &required) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || required == 0)
        return result;
    // Twice the size and four zero bytes: a multi-string always ends in its two terminators.
    const DWORD size = required * 2 + 4;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]());
    if (!buffer)
        return result;
    DWORD filled = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, device, property, dataType, buffer.get(), size,
                                           &filled))
        return result;
    result.data = std::move(buffer);
    // The property's own length, not the allocation: callers that append to a multi-string
    // must not find a run of spare zeros before its end.
    result.size = filled < size ? filled : size;
    return result;
}
