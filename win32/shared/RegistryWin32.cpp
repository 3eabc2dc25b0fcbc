#include <windows.h>

#include <cstring>
#include <vector>

#include "Handles.h"
#include "WideText.h"
#include "ports/Registry.h"

namespace {

HKEY Root(RegistryHive hive) {
    return hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM ViewFlag(RegistryView view) {
    switch (view) {
        case RegistryView::Native64:
            return KEY_WOW64_64KEY;
        case RegistryView::Wow32:
            return KEY_WOW64_32KEY;
        default:
            return 0;
    }
}

class Win32RegistryKey : public IRegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    bool SetString(const std::u16string& valueName, const std::u16string& data) override {
        return SetText(valueName, data, REG_SZ);
    }

    std::optional<std::u16string> GetString(const std::u16string& valueName) override {
        DWORD type = 0;
        std::vector<BYTE> raw;
        if (!Query(valueName, type, raw) || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::u16string data(reinterpret_cast<const char16_t*>(raw.data()),
                            raw.size() / sizeof(char16_t));
        while (!data.empty() && data.back() == u'\0')
            data.pop_back();
        return data;
    }

    bool SetExpandString(const std::u16string& valueName, const std::u16string& data) override {
        return SetText(valueName, data, REG_EXPAND_SZ);
    }

    bool SetDword(const std::u16string& valueName, uint32_t data) override {
        const DWORD value = data;
        return RegSetValueExW(key_.get(), W(valueName), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&value),
                              sizeof(value)) == ERROR_SUCCESS;
    }

    std::optional<uint32_t> GetDword(const std::u16string& valueName) override {
        DWORD type = 0;
        std::vector<BYTE> raw;
        if (!Query(valueName, type, raw) || type != REG_DWORD || raw.size() != sizeof(DWORD))
            return std::nullopt;
        DWORD value = 0;
        memcpy(&value, raw.data(), sizeof(value));
        return value;
    }

    bool SetMultiString(const std::u16string& valueName,
                        const std::vector<std::u16string>& data) override {
        std::u16string joined;
        for (const std::u16string& text : data) {
            joined += text;
            joined += u'\0';
        }
        joined += u'\0';
        return RegSetValueExW(key_.get(), W(valueName), 0, REG_MULTI_SZ,
                              reinterpret_cast<const BYTE*>(joined.data()),
                              static_cast<DWORD>(joined.size() * sizeof(char16_t))) ==
               ERROR_SUCCESS;
    }

    std::optional<std::vector<std::u16string>> GetMultiString(
        const std::u16string& valueName) override {
        DWORD type = 0;
        std::vector<BYTE> raw;
        if (!Query(valueName, type, raw) || type != REG_MULTI_SZ)
            return std::nullopt;
        const std::u16string all(reinterpret_cast<const char16_t*>(raw.data()),
                                 raw.size() / sizeof(char16_t));
        std::vector<std::u16string> strings;
        size_t start = 0;
        while (start < all.size() && all[start] != u'\0') {
            size_t end = all.find(u'\0', start);
            if (end == std::u16string::npos)
                end = all.size();
            strings.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        return strings;
    }

    std::optional<uint32_t> GetType(const std::u16string& valueName) override {
        DWORD type = 0;
        if (RegQueryValueExW(key_.get(), W(valueName), nullptr, &type, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return type;
    }

    bool DeleteValue(const std::u16string& valueName) override {
        return RegDeleteValueW(key_.get(), W(valueName)) == ERROR_SUCCESS;
    }

    bool Flush() override { return RegFlushKey(key_.get()) == ERROR_SUCCESS; }

    std::optional<uint32_t> SubKeyCount() override {
        DWORD count = 0;
        if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        return count;
    }

    std::optional<std::u16string> SubKeyName(uint32_t index) override {
        wchar_t name[260] = {};
        DWORD length = 260;
        if (RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return U16(name, length);
    }

private:
    // Strings are stored with their terminating zero.
    bool SetText(const std::u16string& valueName, const std::u16string& data, DWORD type) {
        const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_.get(), W(valueName), 0, type,
                              reinterpret_cast<const BYTE*>(W(data)), bytes) == ERROR_SUCCESS;
    }

    bool Query(const std::u16string& valueName, DWORD& type, std::vector<BYTE>& raw) {
        DWORD bytes = 0;
        if (RegQueryValueExW(key_.get(), W(valueName), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS)
            return false;
        // Room for a missing terminator of a string stored without one.
        raw.assign(bytes + 2 * sizeof(wchar_t), 0);
        if (RegQueryValueExW(key_.get(), W(valueName), nullptr, &type, raw.data(), &bytes) !=
            ERROR_SUCCESS)
            return false;
        raw.resize(bytes);
        return true;
    }

    UniqueRegKey key_;
};

class Win32Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> CreateKey(RegistryHive hive, const std::u16string& path,
                                            RegistryView view) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(Root(hive), W(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS | ViewFlag(view), nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RegistryKey>(key);
    }

    std::unique_ptr<IRegistryKey> OpenKey(RegistryHive hive, const std::u16string& path,
                                          RegistryView view, RegistryAccess access) override {
        const REGSAM rights = access == RegistryAccess::Read ? KEY_READ : KEY_ALL_ACCESS;
        HKEY key = nullptr;
        if (RegOpenKeyExW(Root(hive), W(path), 0, rights | ViewFlag(view), &key) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RegistryKey>(key);
    }

    bool DeleteKey(RegistryHive hive, const std::u16string& path, RegistryView view) override {
        return RegDeleteKeyExW(Root(hive), W(path), ViewFlag(view), 0) == ERROR_SUCCESS;
    }
};

}  // namespace

IRegistry& PlatformRegistry() {
    static Win32Registry registry;
    return registry;
}
