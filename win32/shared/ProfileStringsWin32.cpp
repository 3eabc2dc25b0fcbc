#include <windows.h>

#include "WideText.h"
#include "ports/ProfileStrings.h"

namespace {

class Win32ProfileStrings : public IProfileStrings {
public:
    uint32_t GetString(const std::u16string& section, const std::u16string& key,
                       const std::u16string& defaultValue, char16_t* buffer, uint32_t size,
                       const std::u16string& path) override {
        return GetPrivateProfileStringW(W(section), W(key), W(defaultValue),
                                        reinterpret_cast<wchar_t*>(buffer), size, W(path));
    }

    bool WriteString(const std::u16string& section, const std::u16string& key,
                     const std::u16string& value, const std::u16string& path) override {
        return WritePrivateProfileStringW(W(section), W(key), W(value), W(path)) != FALSE;
    }
};

}  // namespace

IProfileStrings& PlatformProfileStrings() {
    static Win32ProfileStrings strings;
    return strings;
}
