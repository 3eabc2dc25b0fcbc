// Small stateless helpers both programs carry: one profile value, the Wow64 switch, trimming and
// the text conversions the INI engine needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads [section] key from an INI file through the platform's profile-string reader.
// 0 when a value was read; 1 when nothing was (an empty value counts as absent). Values are cut at
// 1023 characters.
int ReadProfileString(const std::u16string& path, const std::u16string& section,
                      const std::u16string& key, std::u16string& value);

// Switches the Wow64 file-system redirection off and back on. Both return the platform call's
// result, or 0 when the platform has no such call.
int DisableWow64Redirection(void** oldValue);
int RevertWow64Redirection(void* oldValue);

// Removes every leading and trailing c; the string becomes empty when it holds nothing else.
std::u16string TrimChar(std::u16string& text, char16_t c);

// UTF-8 decoding, one code point stored as four bytes least significant first.
int Utf8SequenceLength(uint8_t lead, size_t* length);
int Utf8DecodeChar(const uint8_t* sequence, uint8_t* codePoint, size_t* length);
int Utf8ToUcs4(const uint8_t* bytes, size_t count, uint32_t* out, size_t* outCount);
int Ucs4ToUtf16(const uint32_t* codePoints, size_t count, char16_t* out, size_t* outCount);
int Utf8ToUtf16(const uint8_t* bytes, size_t count, char16_t* out, size_t* outCount);

void SwapBytes16(uint16_t* units, size_t count);
void SwapBytes32(uint32_t* units, size_t count);
