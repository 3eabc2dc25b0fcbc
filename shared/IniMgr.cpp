#include "IniMgr.h"

#include <cstring>
#include <new>

#include "PlatformHelpers.h"
#include "RawFile.h"

namespace {

constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kSpace = u' ';

bool IsHeader(const std::u16string& line) {
    return line.size() >= 2 && line.front() == u'[' && line.back() == u']';
}

bool IsSkipped(const std::u16string& line) {
    return line.empty() || line.front() == u';';
}

}  // namespace

// --- CIniSection -------------------------------------------------------------------------------

void CIniSection::Parse(const std::vector<std::u16string>& rawLines) {
    for (std::u16string line : rawLines) {
        TrimChar(line, kSpace);
        TrimChar(line, kCarriageReturn);
        TrimChar(line, kLineFeed);
        if (IsSkipped(line))
            continue;
        if (IsHeader(line)) {
            name = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find(u'=');
        if (equals == std::u16string::npos || equals == 0)
            continue;
        values.push_back({line.substr(0, equals), line.substr(equals + 1)});
    }
}

void CIniSection::GetValueNames(std::vector<std::u16string>& names) const {
    names.clear();
    for (const VALUE_NAME_DEFINE& pair : values)
        names.push_back(pair.name);
}

std::u16string CIniSection::GetValue(const std::u16string& valueName) const {
    if (valueName.empty())
        return {};
    for (const VALUE_NAME_DEFINE& pair : values) {
        if (pair.name == valueName)
            return pair.value;
    }
    return {};
}

// --- CIniMgr -----------------------------------------------------------------------------------

int32_t CIniMgr::Load(const std::u16string& path) {
    path_ = path;
    std::vector<uint8_t> data;
    const int readStatus = ReadRawFile(path, data);
    if (readStatus != RAW_FILE_OK)
        return readStatus;

    Clear();
    const uint8_t* text = data.data();
    size_t length = data.size();
    encoding_ = DetectEncoding(text, length);
    // Decoding may swap bytes in place, so it works on the buffer itself.
    uint8_t* writable = data.data() + (text - data.data());
    if (DecodeToLines(writable, length) != 0)
        return 5;
    if (BuildSections() != 0) {
        Clear();
        return 6;
    }
    return 0;
}

void CIniMgr::Clear() {
    lines_.clear();
    sections_.clear();
}

TEXT_ENCODING CIniMgr::DetectEncoding(const uint8_t*& data, size_t& length) {
    struct Mark {
        size_t size;
        uint8_t bytes[4];
        TEXT_ENCODING encoding;
    };
    // Longest first: a UTF-32LE mark begins with the UTF-16LE one.
    static const Mark kMarks[] = {
        {4, {0xFF, 0xFE, 0x00, 0x00}, ENCODING_UTF32LE},
        {4, {0x00, 0x00, 0xFE, 0xFF}, ENCODING_UTF32BE},
        {3, {0xEF, 0xBB, 0xBF, 0x00}, ENCODING_UTF8},
        {2, {0xFF, 0xFE, 0x00, 0x00}, ENCODING_UTF16LE},
        {2, {0xFE, 0xFF, 0x00, 0x00}, ENCODING_UTF16BE},
    };
    for (const Mark& mark : kMarks) {
        if (length >= mark.size && std::memcmp(data, mark.bytes, mark.size) == 0) {
            data += mark.size;
            length -= mark.size;
            return mark.encoding;
        }
    }
    return ENCODING_ANSI;
}

void CIniMgr::AppendSegments(const char16_t* text, size_t length) {
    size_t start = 0;
    while (start < length) {
        size_t end = start;
        while (end < length && text[end] != kLineFeed)
            ++end;
        if (end > start) {
            std::u16string segment(text + start, end - start);
            TrimChar(segment, kSpace);
            TrimChar(segment, kCarriageReturn);
            lines_.push_back(std::move(segment));
        }
        start = end + 1;
    }
}

int32_t CIniMgr::DecodeToLines(uint8_t* text, size_t length) {
    std::u16string units;
    try {
        switch (encoding_) {
            case ENCODING_ANSI:
                // Sign extension, so only 7-bit ASCII reads back as written.
                units.resize(length);
                for (size_t i = 0; i < length; ++i)
                    units[i] =
                        static_cast<char16_t>(static_cast<int16_t>(static_cast<int8_t>(text[i])));
                break;
            case ENCODING_UTF8: {
                size_t count = 0;
                if (Utf8ToUtf16(text, length, nullptr, &count) != 0)
                    return 1;
                try {
                    units.resize(count);
                } catch (const std::bad_alloc&) {
                    return 2;
                }
                if (Utf8ToUtf16(text, length, &units[0], &count) != 0)
                    return 3;
                units.resize(count);
                break;
            }
            case ENCODING_UTF16LE:
            case ENCODING_UTF16BE: {
                // A last odd byte is ignored.
                units.resize(length / 2);
                if (!units.empty())
                    std::memcpy(&units[0], text, units.size() * 2);
                if (encoding_ == ENCODING_UTF16BE)
                    SwapBytes16(reinterpret_cast<uint16_t*>(&units[0]), units.size());
                break;
            }
            case ENCODING_UTF32LE:
            case ENCODING_UTF32BE: {
                if (length % 4 != 0)
                    return 1;
                std::vector<uint32_t> wide(length / 4);
                if (!wide.empty())
                    std::memcpy(wide.data(), text, length);
                if (encoding_ == ENCODING_UTF32BE)
                    SwapBytes32(wide.data(), wide.size());
                for (uint32_t unit : wide) {
                    if (unit > 0xFFFF)
                        return 2;
                }
                try {
                    units.resize(wide.size());
                } catch (const std::bad_alloc&) {
                    return 3;
                }
                for (size_t i = 0; i < wide.size(); ++i)
                    units[i] = static_cast<char16_t>(wide[i] & 0xFFFF);
                break;
            }
            default:
                return -1;
        }
        AppendSegments(units.data(), units.size());
    } catch (const std::bad_alloc&) {
        return encoding_ == ENCODING_UTF8 ? 2 : 3;
    }
    return 0;
}

int32_t CIniMgr::BuildSections() try {
    CIniSectionDefine* current = nullptr;
    for (const std::u16string& line : lines_) {
        if (IsSkipped(line))
            continue;
        if (IsHeader(line)) {
            auto section = std::make_unique<CIniSectionDefine>();
            section->name = line.substr(1, line.size() - 2);
            section->rawLines.push_back(line);
            current = section.get();
            sections_.push_back(std::move(section));
        } else if (current) {
            current->rawLines.push_back(line);
        }
    }
    for (const auto& section : sections_)
        section->section.Parse(section->rawLines);
    return 0;
} catch (const std::bad_alloc&) {
    return 1;
}

const CIniSectionDefine* CIniMgr::FindSection(const std::u16string& sectionName) const {
    for (const auto& section : sections_) {
        if (section->name == sectionName)
            return section.get();
    }
    return nullptr;
}

bool CIniMgr::HasSection(const std::u16string& sectionName) const {
    return FindSection(sectionName) != nullptr;
}

void CIniMgr::GetValueNames(const std::u16string& sectionName,
                            std::vector<std::u16string>& names) const {
    if (const CIniSectionDefine* section = FindSection(sectionName))
        section->section.GetValueNames(names);
}

std::u16string CIniMgr::GetValue(const std::u16string& sectionName,
                                 const std::u16string& valueName) const {
    const CIniSectionDefine* section = FindSection(sectionName);
    return section ? section->section.GetValue(valueName) : std::u16string();
}
