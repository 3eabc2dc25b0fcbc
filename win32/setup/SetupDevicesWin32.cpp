#include <windows.h>
#include <setupapi.h>

#include "DeviceInfoListWin32.h"
#include "Handles.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

// The portable core names these values without the Windows headers.
static_assert(SPDRP_UPPERFILTERS_PROPERTY == SPDRP_UPPERFILTERS);
static_assert(REG_SZ_TYPE == REG_SZ);
static_assert(DICS_ENABLE_CHANGE == DICS_ENABLE && DICS_DISABLE_CHANGE == DICS_DISABLE);
static_assert(DI_NEEDREBOOT_FLAG == DI_NEEDREBOOT);

namespace {

class Win32SetupDeviceList : public DeviceInfoListWin32<ISetupDeviceList> {
public:
    using DeviceInfoListWin32::DeviceInfoListWin32;

    bool SetUpperFilters(uint32_t index, const std::vector<std::u16string>& filters) override {
        SP_DEVINFO_DATA* device = Record(index);
        if (!device)
            return false;
        if (filters.empty())
            return SetupDiSetDeviceRegistryPropertyW(set(), device, SPDRP_UPPERFILTERS, nullptr, 0);
        std::u16string list;
        for (const std::u16string& filter : filters)
            list += filter + u'\0';
        list += u'\0';
        return SetupDiSetDeviceRegistryPropertyW(
            set(), device, SPDRP_UPPERFILTERS, reinterpret_cast<const BYTE*>(list.data()),
            static_cast<DWORD>(list.size() * sizeof(char16_t)));
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
        return SetupDiSetClassInstallParamsW(set(), device, &params.ClassInstallHeader,
                                             sizeof params) &&
               SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set(), device);
    }

    bool GetInstallFlags(uint32_t index, uint32_t* flags) override {
        SP_DEVINFO_DATA* device = Record(index);
        if (!device)
            return false;
        SP_DEVINSTALL_PARAMS_W params{};
        params.cbSize = sizeof params;
        if (!SetupDiGetDeviceInstallParamsW(set(), device, &params))
            return false;
        *flags = params.Flags;
        return true;
    }
};

class Win32Devices : public ISetupDevices {
public:
    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override {
        return OpenDeviceList(guid, flags);
    }

    std::unique_ptr<ISetupDeviceList> OpenDeviceList(const DeviceGuid& guid,
                                                     uint32_t flags) override {
        HDEVINFO set = GetClassDevsWin32(guid, flags);
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
