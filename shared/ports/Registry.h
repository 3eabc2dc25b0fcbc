// Port: the registry, as far as the programs write and read it.
#pragma once

#include <memory>
#include <optional>
#include <string>

enum class RegistryHive { LocalMachine, CurrentUser };

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;  // closes the key

    // RegSetValueExW as REG_SZ, the terminating zero included in the stored size.
    virtual bool SetString(const std::u16string& valueName, const std::u16string& data) = 0;
    virtual std::optional<std::u16string> GetString(const std::u16string& valueName) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // RegCreateKeyExW with KEY_ALL_ACCESS: an existing key is opened. Null when it fails.
    virtual std::unique_ptr<IRegistryKey> CreateKey(RegistryHive hive,
                                                    const std::u16string& path) = 0;
    // Null when the key does not exist.
    virtual std::unique_ptr<IRegistryKey> OpenKey(RegistryHive hive,
                                                  const std::u16string& path) = 0;
    virtual bool DeleteKey(RegistryHive hive, const std::u16string& path) = 0;
};

IRegistry& PlatformRegistry();
