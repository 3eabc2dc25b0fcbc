#include <windows.h>
#include <setupapi.h>

#include "DeviceInfoListWin32.h"
#include "ports/DeviceEnumerator.h"

namespace {

class Win32DeviceEnumerator : public IDeviceEnumerator {
public:
    std::unique_ptr<IDeviceInfoList> GetClassDevs(const DeviceGuid& guid, uint32_t flags) override {
        HDEVINFO set = GetClassDevsWin32(guid, flags);
        if (set == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<DeviceInfoListWin32<IDeviceInfoList>>(set);
    }
};

}  // namespace

IDeviceEnumerator& PlatformDeviceEnumerator() {
    static Win32DeviceEnumerator enumerator;
    return enumerator;
}
