// A profile-string reader for hosts without one, matching what the Windows reader does with the
// files this system writes: sections and keys in any case, spaces around names and values
// ignored, one pair of surrounding quotes removed, ';' comment lines, UTF-16 or UTF-8 with a mark,
// else the Western 8-bit code page.
#include <vector>

#include "RawFile.h"
#include "ports/ProfileStrings.h"

namespace {

char16_t FoldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    return c;
}

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

std::u16string Trim(const std::u16string& text) {
    const char16_t* blanks = u" \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::u16string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
char16_t FromCodePage1252(uint8_t byte) {
    static const char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
}

std::u16string DecodeText(const std::vector<uint8_t>& bytes) {
    std::u16string text;
    const size_t n = bytes.size();
    if (n >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        const bool bigEndian = bytes[0] == 0xFE;
        for (size_t i = 2; i + 1 < n; i += 2) {
            text += static_cast<char16_t>(bigEndian ? (bytes[i] << 8) | bytes[i + 1]
                                                    : bytes[i] | (bytes[i + 1] << 8));
        }
        return text;
    }
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        for (size_t i = 3; i < n;) {
            const uint8_t lead = bytes[i];
            size_t length = lead < 0x80    ? 1
                            : lead >= 0xF0 ? 4
                            : lead >= 0xE0 ? 3
                            : lead >= 0xC0 ? 2
                                           : 1;
            if (i + length > n)
                length = n - i;
            uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
            for (size_t k = 1; k < length; ++k)
                cp = (cp << 6) | (bytes[i + k] & 0x3F);
            if (cp >= 0x10000) {
                cp -= 0x10000;
                text += static_cast<char16_t>(0xD800 + ((cp >> 10) & 0x3FF));
                text += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
            } else {
                text += static_cast<char16_t>(cp);
            }
            i += length;
        }
        return text;
    }
    for (uint8_t byte : bytes)
        text += FromCodePage1252(byte);
    return text;
}

// The value of [section] key, if the file has one.
bool FindValue(const std::u16string& text, const std::u16string& section, const std::u16string& key,
               std::u16string& value) {
    bool inSection = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        const std::u16string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == u';')
            continue;
        if (line[0] == u'[') {
            const size_t close = line.find(u']');
            const std::u16string name = Trim(
                line.substr(1, close == std::u16string::npos ? std::u16string::npos : close - 1));
            inSection = EqualNoCase(name, section);
            continue;
        }
        if (!inSection)
            continue;
        const size_t equals = line.find(u'=');
        const std::u16string name = Trim(line.substr(0, equals));
        if (!EqualNoCase(name, key))
            continue;
        value = equals == std::u16string::npos ? std::u16string() : Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return true;
    }
    return false;
}

class PortableProfileStrings : public IProfileStrings {
public:
    uint32_t GetString(const std::u16string& section, const std::u16string& key,
                       const std::u16string& defaultValue, char16_t* buffer, uint32_t size,
                       const std::u16string& path) override {
        if (size == 0)
            return 0;
        std::u16string value = defaultValue;
        std::vector<uint8_t> bytes;
        if (ReadRawFile(path, bytes) == RAW_FILE_OK)
            FindValue(DecodeText(bytes), section, key, value);
        const uint32_t copied =
            static_cast<uint32_t>(value.size() < size ? value.size() : size - 1);
        value.copy(buffer, copied);
        buffer[copied] = 0;
        return copied;
    }
};

}  // namespace

IProfileStrings& PlatformProfileStrings() {
    static PortableProfileStrings strings;
    return strings;
}
