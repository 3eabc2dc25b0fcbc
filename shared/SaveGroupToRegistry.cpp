#include "DeviceIdMgr.h"

#include <string>

uint32_t SaveGroupToRegistry(const CDeviceIdMgr& manager, const std::u16string& groupName,
                             IRegistry& registry) {
    // Neither the key nor the values are checked: a failed export must not stop the install.
    std::unique_ptr<IRegistryKey> key =
        registry.CreateKey(RegistryHive::LocalMachine, u"SOFTWARE\\" + groupName);
    if (!key)
        return 0;
    int counter = 1;
    for (const auto& [id, code] : manager.ids) {
        const std::string number = std::to_string(counter++);
        key->SetString(std::u16string(number.begin(), number.end()), id + u"," + code);
    }
    return 0;
}
