// Port: the registry, as far as the programs write and read it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class RegistryHive { LocalMachine, CurrentUser };

// Which side of a 64-bit registry a key is opened in: the process's own (no flag),
// KEY_WOW64_64KEY or KEY_WOW64_32KEY.
enum class RegistryView { Default, Native64, Wow32 };

// KEY_ALL_ACCESS, or KEY_READ for keys the program may only read (the servicing store).
enum class RegistryAccess { All, Read };

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;  // closes the key

    // RegSetValueExW as REG_SZ, the terminating zero included in the stored size.
    virtual bool SetString(const std::u16string& valueName, const std::u16string& data) = 0;
    // REG_SZ or REG_EXPAND_SZ data, unexpanded.
    virtual std::optional<std::u16string> GetString(const std::u16string& valueName) = 0;

    virtual bool SetExpandString(const std::u16string& valueName, const std::u16string& data) = 0;
    virtual bool SetDword(const std::u16string& valueName, uint32_t data) = 0;
    virtual std::optional<uint32_t> GetDword(const std::u16string& valueName) = 0;
    virtual bool SetMultiString(const std::u16string& valueName,
                                const std::vector<std::u16string>& data) = 0;
    virtual std::optional<std::vector<std::u16string>> GetMultiString(
        const std::u16string& valueName) = 0;
    // The value's REG_* type, if the value exists.
    virtual std::optional<uint32_t> GetType(const std::u16string& valueName) = 0;
    virtual bool DeleteValue(const std::u16string& valueName) = 0;
    virtual bool Flush() = 0;

    // RegQueryInfoKeyW's subkey count and RegEnumKeyExW's name at an index.
    virtual std::optional<uint32_t> SubKeyCount() = 0;
    virtual std::optional<std::u16string> SubKeyName(uint32_t index) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // RegCreateKeyExW with KEY_ALL_ACCESS: an existing key is opened. Null when it fails.
    virtual std::unique_ptr<IRegistryKey> CreateKey(RegistryHive hive, const std::u16string& path,
                                                    RegistryView view = RegistryView::Default) = 0;
    // Null when the key does not exist or cannot be opened with that access.
    virtual std::unique_ptr<IRegistryKey> OpenKey(RegistryHive hive, const std::u16string& path,
                                                  RegistryView view = RegistryView::Default,
                                                  RegistryAccess access = RegistryAccess::All) = 0;
    // Deletes a key that has no subkeys.
    virtual bool DeleteKey(RegistryHive hive, const std::u16string& path,
                           RegistryView view = RegistryView::Default) = 0;
};

IRegistry& PlatformRegistry();
