// One SetupDi device-information set behind a device-list port; the record of the last index
// asked for is kept for the next call on the same device.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "DeviceGuid.h"
#include "DeviceRegistryProperty.h"

// SetupDiGetClassDevsW(guid, no enumerator, no window, flags); INVALID_HANDLE_VALUE on failure.
inline HDEVINFO GetClassDevsWin32(const DeviceGuid& guid, DWORD flags) {
    GUID classGuid;
    static_assert(sizeof classGuid == sizeof guid, "same layout as GUID");
    std::memcpy(&classGuid, &guid, sizeof classGuid);
    return SetupDiGetClassDevsW(&classGuid, nullptr, nullptr, flags);
}

// Interface is IDeviceInfoList or a port derived from it.
template <typename Interface>
class DeviceInfoListWin32 : public Interface {
public:
    explicit DeviceInfoListWin32(HDEVINFO set) : set_(set) {}
    ~DeviceInfoListWin32() override { SetupDiDestroyDeviceInfoList(set_); }
    DeviceInfoListWin32(const DeviceInfoListWin32&) = delete;
    DeviceInfoListWin32& operator=(const DeviceInfoListWin32&) = delete;

    bool EnumDeviceInfo(uint32_t index) override { return Record(index) != nullptr; }

    std::optional<std::vector<uint8_t>> GetDeviceRegistryProperty(uint32_t index, uint32_t property,
                                                                  uint32_t* dataType) override {
        SP_DEVINFO_DATA* device = Record(index);
        if (!device)
            return std::nullopt;
        DWORD type = 0;
        PropertyBuffer buffer = ::GetDeviceRegistryProperty(set_, device, property, &type);
        if (!buffer.data)
            return std::nullopt;
        if (dataType)
            *dataType = type;
        return std::vector<uint8_t>(buffer.data.get(), buffer.data.get() + buffer.size);
    }

protected:
    HDEVINFO set() const { return set_; }

    // SetupDiEnumDeviceInfo; null when there is no device at that index.
    SP_DEVINFO_DATA* Record(uint32_t index) {
        if (index != index_) {
            std::memset(&record_, 0, sizeof record_);
            record_.cbSize = sizeof(SP_DEVINFO_DATA);
            valid_ = SetupDiEnumDeviceInfo(set_, index, &record_) != FALSE;
            index_ = index;
        }
        return valid_ ? &record_ : nullptr;
    }

private:
    HDEVINFO set_;
    SP_DEVINFO_DATA record_{};
    uint32_t index_ = UINT32_MAX;
    bool valid_ = false;
};
