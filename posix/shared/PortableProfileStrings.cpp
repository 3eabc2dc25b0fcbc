// Profile strings for hosts without them, matching what the Windows calls do with the files this
// system reads and writes: sections and keys in any case, spaces around names and values ignored,
// one pair of surrounding quotes removed, ';' comment lines, UTF-16 or UTF-8 with a mark, else the
// Western 8-bit code page. A write keeps every other line and the file's encoding.
#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <vector>

#include "HostPath.h"
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

enum class TextEncoding { Ansi, Utf16Le, Utf16Be, Utf8 };

std::u16string DecodeText(const std::vector<uint8_t>& bytes, TextEncoding* encoding = nullptr) {
    std::u16string text;
    const size_t n = bytes.size();
    TextEncoding ignored;
    TextEncoding& found = encoding ? *encoding : ignored;
    found = TextEncoding::Ansi;
    if (n >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        const bool bigEndian = bytes[0] == 0xFE;
        found = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
        for (size_t i = 2; i + 1 < n; i += 2) {
            text += static_cast<char16_t>(bigEndian ? (bytes[i] << 8) | bytes[i + 1]
                                                    : bytes[i] | (bytes[i + 1] << 8));
        }
        return text;
    }
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        found = TextEncoding::Utf8;
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

uint8_t ToCodePage1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<uint8_t>(c);
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        if (FromCodePage1252(static_cast<uint8_t>(byte)) == c)
            return static_cast<uint8_t>(byte);
    }
    return '?';  // as the Windows conversion does for text outside the code page
}

void PutUtf8(std::vector<uint8_t>& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<uint8_t>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<uint8_t>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<uint8_t>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<uint8_t>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
    }
}

std::vector<uint8_t> EncodeText(const std::u16string& text, TextEncoding encoding) {
    std::vector<uint8_t> out;
    switch (encoding) {
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool bigEndian = encoding == TextEncoding::Utf16Be;
            const auto put = [&](char16_t c) {
                out.push_back(static_cast<uint8_t>(bigEndian ? c >> 8 : c & 0xFF));
                out.push_back(static_cast<uint8_t>(bigEndian ? c & 0xFF : c >> 8));
            };
            put(0xFEFF);
            for (char16_t c : text)
                put(c);
            break;
        }
        case TextEncoding::Utf8:
            out = {0xEF, 0xBB, 0xBF};
            for (size_t i = 0; i < text.size(); ++i) {
                uint32_t cp = text[i];
                if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                    text[i + 1] < 0xE000) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                    ++i;
                }
                PutUtf8(out, cp);
            }
            break;
        case TextEncoding::Ansi:
            for (char16_t c : text)
                out.push_back(ToCodePage1252(c));
            break;
    }
    return out;
}

// The name of a "[name]" line, or false for any other line.
bool SectionName(const std::u16string& trimmedLine, std::u16string& name) {
    if (trimmedLine.empty() || trimmedLine[0] != u'[')
        return false;
    const size_t close = trimmedLine.find(u']');
    name = Trim(
        trimmedLine.substr(1, close == std::u16string::npos ? std::u16string::npos : close - 1));
    return true;
}

// The key of a "key=value" line (trimmed), or false for blank and comment lines.
bool KeyName(const std::u16string& trimmedLine, std::u16string& name) {
    if (trimmedLine.empty() || trimmedLine[0] == u';')
        return false;
    name = Trim(trimmedLine.substr(0, trimmedLine.find(u'=')));
    return true;
}

// The file's lines with [section] key set; everything else stays as it was.
std::u16string SetValue(const std::u16string& text, const std::u16string& section,
                        const std::u16string& key, const std::u16string& value) {
    std::vector<std::u16string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    size_t header = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::u16string name;
        if (SectionName(Trim(lines[i]), name) && EqualNoCase(name, section)) {
            header = i;
            break;
        }
    }
    if (header == lines.size()) {
        lines.push_back(u"[" + section + u"]\r");
        lines.push_back(key + u"=" + value + u"\r");
    } else {
        size_t lastContent = header;
        bool replaced = false;
        for (size_t i = header + 1; i < lines.size(); ++i) {
            const std::u16string line = Trim(lines[i]);
            std::u16string name;
            if (SectionName(line, name))
                break;
            if (!line.empty())
                lastContent = i;
            if (KeyName(line, name) && EqualNoCase(name, key)) {
                const bool crlf = !lines[i].empty() && lines[i].back() == u'\r';
                lines[i] = name + u"=" + value + (crlf ? u"\r" : u"");
                replaced = true;
                break;
            }
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastContent) + 1,
                         key + u"=" + value + u"\r");
    }
    std::u16string result;
    for (const std::u16string& line : lines)
        result += line + u"\n";
    return result;
}

// Replaces the file as a whole, so a crash leaves the old file or the new one, never half of one.
bool ReplaceFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    const std::string target = ToHostPath(path);
    const std::string temporary = target + ".partial";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
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

    bool WriteString(const std::u16string& section, const std::u16string& key,
                     const std::u16string& value, const std::u16string& path) override {
        std::vector<uint8_t> bytes;
        TextEncoding encoding = TextEncoding::Ansi;
        std::u16string text;
        if (ReadRawFile(path, bytes) == RAW_FILE_OK) {
            text = DecodeText(bytes, &encoding);
        } else {
            // A file that is there but cannot be read is not replaced by one holding one key.
            struct stat info {};
            if (::stat(ToHostPath(path).c_str(), &info) == 0)
                return false;
        }
        return ReplaceFile(path, EncodeText(SetValue(text, section, key, value), encoding));
    }
};

}  // namespace

IProfileStrings& PlatformProfileStrings() {
    static PortableProfileStrings strings;
    return strings;
}
