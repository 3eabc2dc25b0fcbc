#include "SimDeviceTree.h"

namespace {

class SimDeviceInfoList : public IDeviceInfoList {
public:
    explicit SimDeviceInfoList(std::vector<SimDevice> devices) : devices_(std::move(devices)) {}

    bool EnumDeviceInfo(uint32_t index) override { return index < devices_.size(); }

    std::optional<std::vector<uint8_t>> GetDeviceRegistryProperty(uint32_t index, uint32_t property,
                                                                  uint32_t* dataType) override {
        if (index >= devices_.size() || property != SPDRP_HARDWAREID_PROPERTY ||
            devices_[index].hardwareIds.empty())
            return std::nullopt;
        if (dataType)
            *dataType = REG_MULTI_SZ_TYPE;
        return MultiStringBytes(devices_[index].hardwareIds);
    }

private:
    std::vector<SimDevice> devices_;
};

bool Selected(const SimDevice& device, const DeviceGuid& guid, uint32_t flags) {
    if ((flags & DIGCF_PRESENT_FLAG) && !device.present)
        return false;
    if (flags & DIGCF_ALLCLASSES_FLAG)
        return true;
    if (flags & DIGCF_DEVICEINTERFACE_FLAG) {
        for (const DeviceGuid& interfaceClass : device.interfaceClasses) {
            if (interfaceClass == guid)
                return true;
        }
        return false;
    }
    return device.setupClass == guid;
}

}  // namespace

std::unique_ptr<IDeviceInfoList> SimDeviceTree::GetClassDevs(const DeviceGuid& guid,
                                                             uint32_t flags) {
    lastFlags = flags;
    if (failNextList) {
        failNextList = false;
        return nullptr;
    }
    std::vector<SimDevice> selected;
    for (const SimDevice& device : devices) {
        if (Selected(device, guid, flags))
            selected.push_back(device);
    }
    return std::make_unique<SimDeviceInfoList>(std::move(selected));
}

std::vector<uint8_t> MultiStringBytes(const std::vector<std::u16string>& strings) {
    std::vector<uint8_t> bytes;
    const auto put = [&bytes](char16_t unit) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    };
    for (const std::u16string& text : strings) {
        for (char16_t unit : text)
            put(unit);
        put(0);
    }
    put(0);
    return bytes;
}
