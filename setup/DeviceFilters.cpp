#include "SetupOperations.h"
#include "TextHelpers.h"

namespace {

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i];
        char16_t y = b[i];
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - 0x20);
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - 0x20);
        if (x != y)
            return false;
    }
    return true;
}

// Only the pattern's length counts; the group decides.
bool Matches(ISetupDeviceList& list, uint32_t index, const std::u16string& pattern,
             const CDeviceIdMgr& group) {
    uint32_t type = 0;
    const auto ids = list.GetDeviceRegistryProperty(index, SPDRP_HARDWAREID_PROPERTY, &type);
    if (!ids)
        return false;
    const std::u16string first = FirstMultiString(*ids);
    return first.size() == pattern.size() && group.IsMatch(first);
}

}  // namespace

uint32_t RemoveUpperFilter(ISetupDevices& devices, const DeviceGuid& guid,
                           const std::u16string& pattern, const CDeviceIdMgr& group,
                           const std::u16string& filterName) {
    // Devices that are not plugged in keep their binding otherwise.
    std::unique_ptr<ISetupDeviceList> list = devices.OpenDeviceList(guid, DIGCF_ALLCLASSES_FLAG);
    if (!list)
        return 1;
    for (uint32_t index = 0; list->EnumDeviceInfo(index); ++index) {
        if (!Matches(*list, index, pattern, group))
            continue;
        uint32_t type = 0;
        const auto filters =
            list->GetDeviceRegistryProperty(index, SPDRP_UPPERFILTERS_PROPERTY, &type);
        if (filters && type == REG_MULTI_SZ_TYPE &&
            EqualNoCase(FirstMultiString(*filters), filterName))
            list->DeleteUpperFilters(index);
    }
    return 0;
}

uint32_t RestartMatchingDevices(ISetupDevices& devices, const DeviceGuid& guid,
                                const std::u16string& pattern, const CDeviceIdMgr& group) {
    std::unique_ptr<ISetupDeviceList> list =
        devices.OpenDeviceList(guid, DIGCF_PRESENT_FLAG | DIGCF_ALLCLASSES_FLAG);
    if (!list)
        return 1;
    for (uint32_t index = 0; list->EnumDeviceInfo(index); ++index) {
        if (!Matches(*list, index, pattern, group))
            continue;
        if (!list->ChangeState(index, DICS_DISABLE_CHANGE) ||
            !list->ChangeState(index, DICS_ENABLE_CHANGE))
            continue;
        // Whether Windows wants a reboot is noted, not reported.
        uint32_t flags = 0;
        list->GetInstallFlags(index, &flags);
    }
    return 0;
}
