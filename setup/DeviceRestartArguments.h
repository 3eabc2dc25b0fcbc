// The run of the 64-bit service program that restarts devices for a 32-bit installer or
// uninstaller on 64-bit Windows, where their own class-installer calls fail.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct DeviceRestartRun {
    std::u16string pattern;
    std::vector<std::u16string> groupIds;  // the group's entries, X standing for any character
    std::vector<std::u16string> alsoIds;   // first hardware IDs of devices whose filters changed
};

// "/RestartDevices "P:<pattern>" "G:<id>"... "A:<id>"...". An ID holding a quote cannot be
// passed and is left out.
std::u16string DeviceRestartArguments(const DeviceRestartRun& run);
// Whether the command line starts with the run's switch, well formed or not.
bool AsksForDeviceRestart(const std::u16string& commandLine);
// Nothing when the command line is not such a run.
std::optional<DeviceRestartRun> ParseDeviceRestartRun(const std::u16string& commandLine);
