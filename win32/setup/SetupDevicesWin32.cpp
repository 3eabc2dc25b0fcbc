#include <windows.h>
#include <setupapi.h>

#include <cstring>

#include "DeviceRegistryProperty.h"
#include "Handles.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

class Win32SetupDeviceList : public ISetupDeviceList {
public:
    explicit Win32SetupDeviceList(HDEVINFO set) : set_(set) {}
    ~Win32SetupDeviceList() override { SetupDiDestroyDeviceInfoList(set_); }
    Win32SetupDeviceList(const Win32SetupDeviceList&) = delete;
    Win32SetupDeviceList& operator=(const Win32SetupDeviceList&) = delete;

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

    bool DeleteUpperFilters(uint32_t index) override {
        SP_DEVINFO_DATA* device = Record(index);
        return device &&
               SetupDiSetDeviceRegistryPropertyW(set_, device, SPDRP_UPPERFILTERS, nullptr, 0);
    }

    bool ChangeState(uint32_t index, uint32_t stateChange) override {
        SP_DEVINFO_DATA* device = Record(index);
        if (!device)
            return false;
        SP_PROPCHANGE_PARAMS params{};
        params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
        params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
        params.StateChange = stateChange;
        params.Scope = DICS_FLAG_CONFIGSPECIFIC;
        params.HwProfile = 0;
        return SetupDiSetClassInstallParamsW(set_, device, &params.ClassInstallHeader,
                                             sizeof params) &&
               SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set_, device);
    }

    bool GetInstallFlags(uint32_t index, uint32_t* flags) override {
        SP_DEVINFO_DATA* device = Record(index);
        if (!device)
            return false;
        SP_DEVINSTALL_PARAMS_W params{};
        params.cbSize = sizeof params;
        if (!SetupDiGetDeviceInstallParamsW(set_, device, &params))
            return false;
        *flags = params.Flags;
        return true;
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

class Win32Devices : public ISetupDevices {
public:
    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override {
        return OpenDeviceList(guid, flags);
    }

    std::unique_ptr<ISetupDeviceList> OpenDeviceList(const DeviceGuid& guid,
                                                     uint32_t flags) override {
        GUID classGuid;
        static_assert(sizeof classGuid == sizeof guid, "same layout as GUID");
        std::memcpy(&classGuid, &guid, sizeof classGuid);
        HDEVINFO set = SetupDiGetClassDevsW(&classGuid, nullptr, nullptr, flags);
        if (set == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<Win32SetupDeviceList>(set);
    }

    bool CanOpenInterface(const std::u16string& path) override {
        UniqueHandle handle = MakeUniqueHandle(CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE,
                                                           FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                           nullptr, OPEN_EXISTING, 0, nullptr));
        return handle != nullptr;
    }
};

}  // namespace

ISetupDevices& Win32SetupDevices() {
    static Win32Devices devices;
    return devices;
}
