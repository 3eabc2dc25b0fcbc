#include <windows.h>

#include "Handles.h"
#include "WideText.h"
#include "ports/Registry.h"

namespace {

HKEY Root(RegistryHive hive) {
    return hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32RegistryKey : public IRegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    bool SetString(const std::u16string& valueName, const std::u16string& data) override {
        const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_.get(), W(valueName), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(W(data)), bytes) == ERROR_SUCCESS;
    }

    std::optional<std::u16string> GetString(const std::u16string& valueName) override {
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(key_.get(), W(valueName), nullptr, &type, nullptr, &bytes) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::u16string data(bytes / sizeof(wchar_t) + 1, u'\0');
        if (RegQueryValueExW(key_.get(), W(valueName), nullptr, &type,
                             reinterpret_cast<BYTE*>(&data[0]), &bytes) != ERROR_SUCCESS)
            return std::nullopt;
        data.resize(bytes / sizeof(wchar_t));
        while (!data.empty() && data.back() == u'\0')
            data.pop_back();
        return data;
    }

private:
    UniqueRegKey key_;
};

class Win32Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> CreateKey(RegistryHive hive,
                                            const std::u16string& path) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(Root(hive), W(path), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RegistryKey>(key);
    }

    std::unique_ptr<IRegistryKey> OpenKey(RegistryHive hive, const std::u16string& path) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(Root(hive), W(path), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RegistryKey>(key);
    }

    bool DeleteKey(RegistryHive hive, const std::u16string& path) override {
        return RegDeleteKeyW(Root(hive), W(path)) == ERROR_SUCCESS;
    }
};

}  // namespace

IRegistry& PlatformRegistry() {
    static Win32Registry registry;
    return registry;
}
