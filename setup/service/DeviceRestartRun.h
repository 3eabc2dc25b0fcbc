// The service program's second use: restarting devices for the 32-bit installer and uninstaller
// on 64-bit Windows, which cannot call the class installer themselves.
#pragma once

#include <optional>

// For "/RestartDevices ..." the restart's result (0, or 1 when no device list could be made; 87
// for arguments it cannot read); nothing for any other command line.
std::optional<int> RunDeviceRestart(const wchar_t* commandLine);
