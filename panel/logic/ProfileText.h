// A profile file's text as the settings table reads and writes it: values through the platform's
// profile strings, numbers with the error naming their key, lines split at commas.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ports/ProfileStrings.h"

// Values are formatted as 8-bit text; every character of these formats is ASCII.
template <typename... Args>
std::u16string FormatProfileValue(const char* format, Args... args) {
    char text[96];
    const int n = std::snprintf(text, sizeof text, format, args...);
    std::u16string wide;
    for (int i = 0; i < n && i < static_cast<int>(sizeof text) - 1; ++i) {
        wide += static_cast<char16_t>(static_cast<unsigned char>(text[i]));
    }
    return wide;
}

// A value split at every comma; a field the line does not have reads as empty.
class ProfileFields {
public:
    explicit ProfileFields(const std::u16string& value);
    std::u16string operator[](size_t i) const { return i < fields_.size() ? fields_[i] : u""; }

private:
    std::vector<std::u16string> fields_;
};

class ProfileIn {
public:
    ProfileIn(IProfileStrings& strings, const std::u16string& file)
        : strings_(strings), file_(file) {}

    // Empty when missing.
    std::u16string Value(const std::u16string& section, const std::u16string& key) const;
    // A number of [section] key; a malformed or empty one throws PanelError naming where it stood.
    int32_t Number(const std::u16string& text, const std::u16string& section,
                   const std::u16string& key) const;
    // A number held to lo..hi: the file is the user's to edit.
    int32_t Within(const std::u16string& text, const std::u16string& section,
                   const std::u16string& key, int32_t lo, int32_t hi) const;
    // A switch: any non-zero number is on.
    int32_t Flag(const std::u16string& text, const std::u16string& section,
                 const std::u16string& key) const {
        return Number(text, section, key) != 0 ? 1 : 0;
    }

private:
    IProfileStrings& strings_;
    const std::u16string& file_;
};

class ProfileOut {
public:
    ProfileOut(IProfileStrings& strings, const std::u16string& file)
        : strings_(strings), file_(file) {}
    void Put(const std::u16string& section, const std::u16string& key,
             const std::u16string& value) const {
        strings_.WriteString(section, key, value, file_);
    }

private:
    IProfileStrings& strings_;
    const std::u16string& file_;
};
