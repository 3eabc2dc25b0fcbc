// Port: the platform's profile-string reader (GetPrivateProfileStringW on Windows).
#pragma once

#include <cstdint>
#include <string>

class IProfileStrings {
public:
    virtual ~IProfileStrings() = default;

    // Copies the value of [section] key, or defaultValue, into buffer, cut to size - 1 characters
    // and zero-terminated. Returns the number of characters copied.
    virtual uint32_t GetString(const std::u16string& section, const std::u16string& key,
                               const std::u16string& defaultValue, char16_t* buffer, uint32_t size,
                               const std::u16string& path) = 0;
};

// The running platform's reader.
IProfileStrings& PlatformProfileStrings();
