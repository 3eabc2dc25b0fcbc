#include "DeviceRestartArguments.h"

namespace {

constexpr const char16_t* kSwitch = u"/RestartDevices";

void Append(std::u16string& line, char16_t kind, const std::u16string& id) {
    if (id.find(u'"') != std::u16string::npos)
        return;
    line += u" \"";
    line += kind;
    line += u':';
    line += id;
    line += u'"';
}

// Where the switch ends, or npos when the command line does not start with it.
size_t SwitchEnd(const std::u16string& commandLine) {
    const size_t start = commandLine.find_first_not_of(u" \t");
    const std::u16string name = kSwitch;
    if (start == std::u16string::npos || commandLine.compare(start, name.size(), name) != 0)
        return std::u16string::npos;
    const size_t end = start + name.size();
    if (end < commandLine.size() && commandLine[end] != u' ' && commandLine[end] != u'\t')
        return std::u16string::npos;
    return end;
}

}  // namespace

std::u16string DeviceRestartArguments(const DeviceRestartRun& run) {
    std::u16string line = kSwitch;
    Append(line, u'P', run.pattern);
    for (const std::u16string& id : run.groupIds)
        Append(line, u'G', id);
    for (const std::u16string& id : run.alsoIds)
        Append(line, u'A', id);
    return line;
}

bool AsksForDeviceRestart(const std::u16string& commandLine) {
    return SwitchEnd(commandLine) != std::u16string::npos;
}

std::optional<DeviceRestartRun> ParseDeviceRestartRun(const std::u16string& commandLine) {
    size_t i = SwitchEnd(commandLine);
    if (i == std::u16string::npos)
        return std::nullopt;
    DeviceRestartRun run;
    bool patternSeen = false;
    for (;;) {
        i = commandLine.find_first_not_of(u" \t", i);
        if (i == std::u16string::npos)
            break;
        if (commandLine[i] != u'"' || i + 3 >= commandLine.size() || commandLine[i + 2] != u':')
            return std::nullopt;
        const size_t close = commandLine.find(u'"', i + 3);
        if (close == std::u16string::npos)
            return std::nullopt;
        const char16_t kind = commandLine[i + 1];
        std::u16string id = commandLine.substr(i + 3, close - i - 3);
        if (kind == u'P' && !patternSeen) {
            run.pattern = std::move(id);
            patternSeen = true;
        } else if (kind == u'G' && !id.empty()) {
            run.groupIds.push_back(std::move(id));
        } else if (kind == u'A' && !id.empty()) {
            run.alsoIds.push_back(std::move(id));
        } else {
            return std::nullopt;
        }
        i = close + 1;
    }
    if (!patternSeen || run.pattern.empty())
        return std::nullopt;
    return run;
}
