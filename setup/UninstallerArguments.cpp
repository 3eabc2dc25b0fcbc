#include "UninstallerArguments.h"

#include <string>

namespace {

constexpr const char16_t* kSwitch = u"/Remove ";

}  // namespace

std::optional<RemovalRun> ParseRemovalRun(const std::u16string& commandLine) {
    size_t i = commandLine.find_first_not_of(u" \t");
    const std::u16string prefix = kSwitch;
    if (i == std::u16string::npos || commandLine.compare(i, prefix.size(), prefix) != 0)
        return std::nullopt;
    i += prefix.size();
    RemovalRun run;
    const size_t digits = i;
    uint64_t id = 0;
    for (; i < commandLine.size() && commandLine[i] >= u'0' && commandLine[i] <= u'9'; ++i) {
        id = id * 10 + (commandLine[i] - u'0');
        if (id > UINT32_MAX)
            return std::nullopt;
    }
    if (i == digits || i + 2 >= commandLine.size() || commandLine[i] != u' ' ||
        commandLine[i + 1] != u'"')
        return std::nullopt;
    const size_t close = commandLine.find(u'"', i + 2);
    if (close == std::u16string::npos || close == i + 2)
        return std::nullopt;
    run.parentProcessId = static_cast<uint32_t>(id);
    run.installedUninstaller = commandLine.substr(i + 2, close - i - 2);
    return run;
}

std::u16string RemovalRunArguments(uint32_t parentProcessId, const std::u16string& path) {
    const std::string id = std::to_string(parentProcessId);
    return kSwitch + std::u16string(id.begin(), id.end()) + u" \"" + path + u"\"";
}
