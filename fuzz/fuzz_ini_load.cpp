// Any bytes as an INI file: Load must end with a defined status and leave the manager consistent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "IniMgr.h"

namespace {

bool IsHeaderLine(const std::u16string& line) {
    return line.size() >= 2 && line.front() == u'[' && line.back() == u']';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CIniMgr ini;
    const int32_t status = ini.Load(fuzz::Scratch().Write(data, size));
    fuzz::Check(status >= 0 && status <= 6);
    // The file was just written, so it must open and read.
    fuzz::Check(status == 0 || status >= 5);
    if (status != 0) {
        fuzz::Check(ini.SectionCount() == 0);
        return 0;
    }

    size_t headers = 0;
    for (const std::u16string& line : ini.lines()) {
        if (!IsHeaderLine(line))
            continue;
        ++headers;
        const std::u16string section = line.substr(1, line.size() - 2);
        fuzz::Check(ini.HasSection(section));
        std::vector<std::u16string> names;
        ini.GetValueNames(section, names);
        for (const std::u16string& name : names) {
            fuzz::Check(!name.empty());
            ini.GetValue(section, name);
        }
        fuzz::Check(ini.GetValue(section, u"").empty());
    }
    fuzz::Check(headers == ini.SectionCount());
    return 0;
}
