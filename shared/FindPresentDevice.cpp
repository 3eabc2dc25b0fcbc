#include "DeviceIdMgr.h"

namespace {

// The panel looks at devices exposing the interface class; the installer at every present device.
#if AUDIO_SETUP_APP
constexpr uint32_t kClassDevsFlags = DIGCF_PRESENT_FLAG | DIGCF_ALLCLASSES_FLAG;
#else
constexpr uint32_t kClassDevsFlags = DIGCF_PRESENT_FLAG | DIGCF_DEVICEINTERFACE_FLAG;
#endif

// The first string of a REG_MULTI_SZ property.
std::u16string FirstString(const std::vector<uint8_t>& data) {
    std::u16string first;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            break;
        first += unit;
    }
    return first;
}

}  // namespace

bool FindPresentDevice(const DeviceGuid& guid, const std::u16string& pattern,
                       const CDeviceIdMgr& manager, std::u16string* result,
                       IDeviceEnumerator& devices) {
    const size_t patternLength = pattern.size();
    std::unique_ptr<IDeviceInfoList> list = devices.GetClassDevs(guid, kClassDevsFlags);
    if (!list)
        return false;
    for (uint32_t index = 0; list->EnumDeviceInfo(index); ++index) {
        uint32_t type = 0;
        const auto property =
            list->GetDeviceRegistryProperty(index, SPDRP_HARDWAREID_PROPERTY, &type);
        if (!property)
            continue;
        const std::u16string hardwareId = FirstString(*property);
        if (hardwareId.size() == patternLength && manager.IsMatch(hardwareId)) {
            if (result)
                *result = hardwareId;
            return true;
        }
    }
    return false;
}
