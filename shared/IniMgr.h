// Read-only INI reader: the whole file in one of six Unicode forms, every section in file order.
// Names compare exactly (case-sensitive, code unit by code unit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TEXT_ENCODING {
    ENCODING_ANSI = 0,
    ENCODING_UTF8 = 1,
    ENCODING_UTF16LE = 2,
    ENCODING_UTF16BE = 3,
    ENCODING_UTF32LE = 4,
    ENCODING_UTF32BE = 5,
};

struct VALUE_NAME_DEFINE {
    std::u16string name;
    std::u16string value;
};

class CIniSection {
public:
    std::u16string name;
    std::vector<VALUE_NAME_DEFINE> values;

    void Parse(const std::vector<std::u16string>& rawLines);
    void GetValueNames(std::vector<std::u16string>& names) const;
    std::u16string GetValue(const std::u16string& valueName) const;
};

struct CIniSectionDefine {
    std::u16string name;
    CIniSection section;
    std::vector<std::u16string> rawLines;
};

class CIniMgr {
public:
    CIniMgr() = default;
    CIniMgr(const CIniMgr&) = delete;
    CIniMgr& operator=(const CIniMgr&) = delete;

    // 0 loaded; 1 cannot open; 2 no length; 3 no memory; 4 read failed (content kept);
    // 5 decoding failed; 6 a section could not be made (content cleared).
    int32_t Load(const std::u16string& path);
    void Clear();

    bool HasSection(const std::u16string& sectionName) const;
    void GetValueNames(const std::u16string& sectionName, std::vector<std::u16string>& names) const;
    std::u16string GetValue(const std::u16string& sectionName,
                            const std::u16string& valueName) const;

    int32_t encoding() const { return encoding_; }
    const std::u16string& path() const { return path_; }
    const std::vector<std::u16string>& lines() const { return lines_; }
    size_t SectionCount() const { return sections_.size(); }

    // The steps of Load, public so the decoding can be driven on a buffer.
    static TEXT_ENCODING DetectEncoding(const uint8_t*& data, size_t& length);
    int32_t DecodeToLines(uint8_t* text, size_t length);
    int32_t BuildSections();

private:
    const CIniSectionDefine* FindSection(const std::u16string& sectionName) const;
    void AppendSegments(const char16_t* text, size_t length);

    int32_t encoding_ = ENCODING_ANSI;
    std::u16string path_;
    std::vector<std::u16string> lines_;
    std::vector<std::unique_ptr<CIniSectionDefine>> sections_;
};
