#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}
#include <hidpi.h>

#include <cstring>
#include <memory>
#include <vector>

#include "Handles.h"
#include "HidSelection.h"
#include "PanelDeviceWin32.h"

namespace {

#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == 6, "the 32-bit detail record");
#endif

struct DevInfoListCloser {
    void operator()(void* set) const { SetupDiDestroyDeviceInfoList(set); }
};
using UniqueDevInfoList = std::unique_ptr<void, DevInfoListCloser>;

struct PreparsedDataFreer {
    void operator()(_HIDP_PREPARSED_DATA* data) const { HidD_FreePreparsedData(data); }
};
using UniquePreparsedData = std::unique_ptr<_HIDP_PREPARSED_DATA, PreparsedDataFreer>;

class HidDeviceWin32 : public IHidDevice {
public:
    explicit HidDeviceWin32(UniqueHandle handle) : handle_(std::move(handle)) {}

    bool GetCaps(HidCaps& caps) override {
        PHIDP_PREPARSED_DATA raw = nullptr;
        if (!HidD_GetPreparsedData(handle_.get(), &raw))
            return false;
        const UniquePreparsedData preparsed(raw);
        HIDP_CAPS hidCaps{};
        if (HidP_GetCaps(preparsed.get(), &hidCaps) != HIDP_STATUS_SUCCESS)
            return false;
        caps.inputReportByteLength = hidCaps.InputReportByteLength;
        caps.outputReportByteLength = hidCaps.OutputReportByteLength;
        return true;
    }

    bool SetOutputReport(const uint8_t* report, uint32_t length) override {
        // The buffer is only read; the declaration lacks the const.
        return HidD_SetOutputReport(handle_.get(), const_cast<uint8_t*>(report), length) != FALSE;
    }

    bool GetInputReport(uint8_t* report, uint32_t length) override {
        return HidD_GetInputReport(handle_.get(), report, length) != FALSE;
    }

private:
    UniqueHandle handle_;
};

// The interface's device path, or null when its detail cannot be read.
std::unique_ptr<uint8_t[]> InterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData) {
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return nullptr;
    // new[] memory is aligned for any fundamental type, as the detail record needs.
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[required]());
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.get());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, interfaceData, detail, required, nullptr, nullptr))
        return nullptr;
    return buffer;
}

// The present HID interfaces of one SetupDi list, opened one by one.
class HidInterfaceListWin32 : public IHidInterfaceList {
public:
    HidInterfaceListWin32() {
        HidD_GetHidGuid(&hidGuid_);
        HDEVINFO set = SetupDiGetClassDevsW(&hidGuid_, nullptr, nullptr,
                                            DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (set != INVALID_HANDLE_VALUE)
            set_.reset(set);
    }

    Entry Open(uint32_t index, std::unique_ptr<IHidDevice>& device, uint16_t& vendorId,
               uint16_t& productId) override {
        if (!set_)
            return Entry::End;
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        // The end test also reads the last error after a success, so start from a clean one.
        SetLastError(ERROR_SUCCESS);
        if (!SetupDiEnumDeviceInterfaces(set_.get(), nullptr, &hidGuid_, index, &interfaceData) ||
            GetLastError() == ERROR_NO_MORE_ITEMS)
            return Entry::End;

        const std::unique_ptr<uint8_t[]> detail = InterfaceDetail(set_.get(), &interfaceData);
        if (!detail)
            return Entry::Unusable;
        const wchar_t* path =
            reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detail.get())->DevicePath;
        UniqueHandle handle = MakeUniqueHandle(
            CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
        if (!handle)
            return Entry::Unusable;
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        if (!HidD_GetAttributes(handle.get(), &attributes))
            return Entry::Unusable;
        vendorId = attributes.VendorID;
        productId = attributes.ProductID;
        device = std::make_unique<HidDeviceWin32>(std::move(handle));
        return Entry::Opened;
    }

private:
    GUID hidGuid_{};
    UniqueDevInfoList set_;
};

class HidBusWin32 : public IHidBus {
public:
    std::unique_ptr<IHidDevice> OpenHidDevice(uint16_t vendorId, uint16_t productId) override {
        HidInterfaceListWin32 interfaces;
        return OpenCommandInterface(interfaces, vendorId, productId);
    }
};

}  // namespace

std::unique_ptr<IHidBus> CreateHidBusWin32() {
    return std::make_unique<HidBusWin32>();
}

std::unique_ptr<IHidInterfaceList> CreateHidInterfaceListWin32() {
    return std::make_unique<HidInterfaceListWin32>();
}
