// Conversions of the wide (UTF-16) text that the rest of the code holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// UTF-8 for messages and host paths; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

// The first string of REG_MULTI_SZ data (UTF-16LE, zero-terminated strings).
std::u16string FirstMultiString(const std::vector<uint8_t>& data);

// Every string of REG_MULTI_SZ data, up to the empty string that ends the list.
std::vector<std::u16string> MultiStrings(const std::vector<uint8_t>& data);
