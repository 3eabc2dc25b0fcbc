#include "DeviceIdMgr.h"

#include "DeviceIdCodec.h"
#include "PlatformHelpers.h"

namespace {

std::u16string UpperAscii(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return text;
}

}  // namespace

int32_t CDeviceIdMgr::LoadGroup(const std::u16string& configPath,
                                const std::u16string& sectionName) {
    if (ini.Load(configPath) != 0)
        return 1;
    Clear();
    if (!ini.HasSection(sectionName))
        return 2;
    std::vector<std::u16string> names;
    ini.GetValueNames(sectionName, names);
    if (names.empty())
        return 3;
    for (const std::u16string& name : names)
        entries.push_back(ini.GetValue(sectionName, name));
    if (ParseEntries() != 0)
        return 4;
    return 0;
}

int32_t CDeviceIdMgr::ParseEntries() {
    for (const std::u16string& entry : entries) {
        const size_t comma = entry.find(u',');
        if (comma == std::u16string::npos)
            continue;
        std::u16string id = entry.substr(0, comma);
        std::u16string code = entry.substr(comma + 1);
        TrimChar(id, u' ');
        TrimChar(code, u' ');
        if (id.empty() || code.empty())
            return 1;

        std::string narrowCode(code.size(), '\0');
        for (size_t i = 0; i < code.size(); ++i)
            narrowCode[i] = static_cast<char>(code[i] & 0xFF);

        uint8_t plain[4096] = {};
        size_t plainLength = sizeof plain;
        if (DecodeDeviceIdText(narrowCode.data(), narrowCode.size(), plain, &plainLength) != 0)
            continue;

        std::u16string plainText;
        for (size_t i = 0; i < plainLength && plain[i] != 0; ++i)
            plainText += static_cast<char16_t>(static_cast<int16_t>(static_cast<int8_t>(plain[i])));
        if (plainText == id)
            ids.emplace(id, code);
    }
    return 0;
}

bool CDeviceIdMgr::IsMatch(const std::u16string& hardwareId) const {
    const std::u16string upper = UpperAscii(hardwareId);
    for (const auto& [listed, code] : ids) {
        if (listed.size() != upper.size())
            continue;
        const std::u16string pattern = UpperAscii(listed);
        std::u16string masked = upper;
        for (size_t i = 0; i < pattern.size(); ++i) {
            if (pattern[i] == u'X')
                masked[i] = u'X';
        }
        if (masked == pattern)
            return true;
    }
    return false;
}

void CDeviceIdMgr::Clear() {
    entries.clear();
    ids.clear();
}
