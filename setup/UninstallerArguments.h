// The uninstaller's two runs: the one the user starts in the install folder, which asks and then
// hands over to a copy of itself outside that folder, and the copy's run, which removes
// everything, the first program's file included.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct RemovalRun {
    uint32_t parentProcessId = 0;
    std::u16string installedUninstaller;  // full path of the program to remove
};

// "/Remove <process id> "<path>"": the copy's run. Nothing for anything else (the user's run).
std::optional<RemovalRun> ParseRemovalRun(const std::u16string& commandLine);
std::u16string RemovalRunArguments(uint32_t parentProcessId, const std::u16string& path);
