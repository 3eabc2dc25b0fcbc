#include <windows.h>
#include <setupapi.h>

#include <cstring>

#include "DeviceRegistryProperty.h"
#include "ports/DeviceEnumerator.h"

namespace {

class Win32DeviceInfoList : public IDeviceInfoList {
public:
    explicit Win32DeviceInfoList(HDEVINFO set) : set_(set) {}
    ~Win32DeviceInfoList() override { SetupDiDestroyDeviceInfoList(set_); }
    Win32DeviceInfoList(const Win32DeviceInfoList&) = delete;
    Win32DeviceInfoList& operator=(const Win32DeviceInfoList&) = delete;

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

private:
    SP_DEVINFO_DATA* Record(uint32_t index) {
        if (index != index_) {
            std::memset(&record_, 0, sizeof record_);
            record_.cbSize = sizeof(SP_DEVINFO_DATA);
            valid_ = SetupDiEnumDeviceInfo(set_, index, &record_) != FALSE;
            index_ = index;
        }
        return valid_ ? &record_ : nullptr;
    }

    HDEVINFO set_;
    SP_DEVINFO_DATA record_{};
    uint32_t index_ = UINT32_MAX;
    bool valid_ = false;
};

class Win32DeviceEnumerator : public IDeviceEnumerator {
public:
    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override {
        GUID classGuid;
        static_assert(sizeof classGuid == sizeof guid, "same layout as GUID");
        std::memcpy(&classGuid, &guid, sizeof classGuid);
        HDEVINFO set = SetupDiGetClassDevsW(&classGuid, nullptr, nullptr, flags);
        if (set == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<Win32DeviceInfoList>(set);
    }
};

}  // namespace

IDeviceEnumerator& PlatformDeviceEnumerator() {
    static Win32DeviceEnumerator enumerator;
    return enumerator;
}
