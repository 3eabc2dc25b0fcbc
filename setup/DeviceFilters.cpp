#include <algorithm>

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

std::u16string FirstHardwareId(ISetupDeviceList& list, uint32_t index) {
    uint32_t type = 0;
    const auto ids = list.GetDeviceRegistryProperty(index, SPDRP_HARDWAREID_PROPERTY, &type);
    return ids ? FirstMultiString(*ids) : std::u16string();
}

// Only the pattern's length counts; the group decides. A device whose filter list was changed
// is restarted too, wherever it belongs.
bool Matches(const std::u16string& first, const std::u16string& pattern, const CDeviceIdMgr& group,
             const std::vector<std::u16string>& alsoIds) {
    if (first.empty())
        return false;
    if (first.size() == pattern.size() && group.IsMatch(first))
        return true;
    return std::any_of(alsoIds.begin(), alsoIds.end(),
                       [&first](const std::u16string& id) { return EqualNoCase(id, first); });
}

}  // namespace

uint32_t RemoveUpperFilter(ISetupDevices& devices, const DeviceGuid& guid,
                           const std::u16string& filterName, std::vector<std::u16string>* unbound) {
    // Devices that are not plugged in keep their binding otherwise.
    std::unique_ptr<ISetupDeviceList> list = devices.OpenDeviceList(guid, DIGCF_ALLCLASSES_FLAG);
    if (!list)
        return 1;
    uint32_t result = 0;
    for (uint32_t index = 0; list->EnumDeviceInfo(index); ++index) {
        uint32_t type = 0;
        const auto data =
            list->GetDeviceRegistryProperty(index, SPDRP_UPPERFILTERS_PROPERTY, &type);
        if (!data || (type != REG_MULTI_SZ_TYPE && type != REG_SZ_TYPE))
            continue;
        std::vector<std::u16string> filters = MultiStrings(*data);
        const auto kept = std::remove_if(
            filters.begin(), filters.end(),
            [&filterName](const std::u16string& name) { return EqualNoCase(name, filterName); });
        if (kept == filters.end())
            continue;
        // Another vendor's filters stay bound, in their order.
        filters.erase(kept, filters.end());
        if (!list->SetUpperFilters(index, filters)) {
            result = 2;
            continue;
        }
        if (unbound) {
            const std::u16string id = FirstHardwareId(*list, index);
            if (!id.empty())
                unbound->push_back(id);
        }
    }
    return result;
}

uint32_t RestartMatchingDevices(ISetupDevices& devices, const DeviceGuid& guid,
                                const std::u16string& pattern, const CDeviceIdMgr& group,
                                const std::vector<std::u16string>& alsoIds) {
    std::unique_ptr<ISetupDeviceList> list =
        devices.OpenDeviceList(guid, DIGCF_PRESENT_FLAG | DIGCF_ALLCLASSES_FLAG);
    if (!list)
        return 1;
    for (uint32_t index = 0; list->EnumDeviceInfo(index); ++index) {
        if (!Matches(FirstHardwareId(*list, index), pattern, group, alsoIds))
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
