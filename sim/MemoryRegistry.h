// A registry kept in memory: the registry of hosts that have none, and the tests' registry.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ports/Registry.h"

class MemoryRegistry : public IRegistry {
public:
    struct Key {
        // Lower-cased value name → (name as written, data) for REG_SZ and REG_EXPAND_SZ values.
        std::map<std::u16string, std::pair<std::u16string, std::u16string>> values;
        std::map<std::u16string, uint32_t> dwords;
        std::map<std::u16string, std::vector<std::u16string>> multiStrings;
        // Lower-cased value name → REG_* type, for every value.
        std::map<std::u16string, uint32_t> types;
        int flushes = 0;
        std::u16string path;  // as first created, for subkey names
    };

    std::unique_ptr<IRegistryKey> CreateKey(RegistryHive hive, const std::u16string& path,
                                            RegistryView view = RegistryView::Default) override;
    std::unique_ptr<IRegistryKey> OpenKey(RegistryHive hive, const std::u16string& path,
                                          RegistryView view = RegistryView::Default,
                                          RegistryAccess access = RegistryAccess::All) override;
    bool DeleteKey(RegistryHive hive, const std::u16string& path,
                   RegistryView view = RegistryView::Default) override;

    // The key, if it exists; names compare in any case, as in the registry.
    const Key* Find(RegistryHive hive, const std::u16string& path,
                    RegistryView view = RegistryView::Default) const;
    void Reset() { keys_.clear(); }
    // Makes every later create or open of this key fail, as for a key the caller may not touch.
    void Deny(RegistryHive hive, const std::u16string& path,
              RegistryView view = RegistryView::Default);

private:
    using Id = std::tuple<RegistryHive, RegistryView, std::u16string>;
    std::map<Id, Key> keys_;
    std::set<Id> denied_;
    friend class MemoryKey;
};
