#include "DeviceIdMgr.h"
#include "TextHelpers.h"

namespace {

// The panel looks at devices exposing the interface class; the installer at every present device.
#if AUDIO_SETUP_APP
constexpr uint32_t kClassDevsFlags = DIGCF_PRESENT_FLAG | DIGCF_ALLCLASSES_FLAG;
#else
constexpr uint32_t kClassDevsFlags = DIGCF_PRESENT_FLAG | DIGCF_DEVICEINTERFACE_FLAG;
#endif

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
        const std::u16string hardwareId = FirstMultiString(*property);
        if (hardwareId.size() == patternLength && manager.IsMatch(hardwareId)) {
            if (result)
                *result = hardwareId;
            return true;
        }
    }
    return false;
}
