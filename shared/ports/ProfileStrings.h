// Port: the platform's profile strings (Get/WritePrivateProfileStringW on Windows).
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

    // Sets [section] key to value: creates the file (8-bit text), appends a missing section or
    // key, replaces an existing value and keeps every other line, their order and the file's
    // encoding. The folder must exist. False when the file cannot be written.
    virtual bool WriteString(const std::u16string& section, const std::u16string& key,
                             const std::u16string& value, const std::u16string& path) = 0;
};

// The running platform's profile strings.
IProfileStrings& PlatformProfileStrings();
