// A registry kept in memory: the registry of hosts that have none, and the tests' registry.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "ports/Registry.h"

class MemoryRegistry : public IRegistry {
public:
    struct Key {
        // Lower-cased value name → (name as written, data).
        std::map<std::u16string, std::pair<std::u16string, std::u16string>> values;
    };

    std::unique_ptr<IRegistryKey> CreateKey(RegistryHive hive, const std::u16string& path) override;
    std::unique_ptr<IRegistryKey> OpenKey(RegistryHive hive, const std::u16string& path) override;
    bool DeleteKey(RegistryHive hive, const std::u16string& path) override;

    // The key, if it exists; names compare in any case, as in the registry.
    const Key* Find(RegistryHive hive, const std::u16string& path) const;
    void Reset() { keys_.clear(); }

private:
    std::map<std::pair<RegistryHive, std::u16string>, Key> keys_;
};
