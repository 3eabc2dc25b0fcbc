// What the uninstaller removes: exactly what the install log beside it lists, in the reverse
// order of creation, and only in the places the installer writes to. Without an intact log it
// removes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "InstallLog.h"
#include "RemovalPlaces.h"
#include "SetupContext.h"

enum class UninstallOutcome {
    Removed,     // everything listed is gone or goes at the next restart
    SomeLeft,    // some entries stay (in use, refused); the log now lists only those
    NoLog,       // nothing removed
    DamagedLog,  // nothing removed
};

class UninstallSequence {
public:
    UninstallSequence(SetupPorts& ports, SetupState& state) : ports_(ports), state_(state) {}

    // uninstallerPath: the running program. Its folder is the install folder and holds the log;
    // the program and that folder are deleted at the next restart.
    UninstallOutcome Uninstall(const std::u16string& uninstallerPath);

private:
    enum class Removal { Removed, Gone, Held, Refused };

    bool Remove(const LogEntry& entry);
    bool RemoveFile(const std::u16string& path);
    bool RemoveFolder(const std::u16string& path);
    // Opened first, then checked and removed through the same handle.
    Removal RemoveOnce(const std::u16string& path);
    bool RemoveService();
    bool RemoveValue(const LogEntry& entry);
    bool RemoveKeyTree(const std::u16string& path);
    bool UnbindFilter();  // true when no device lists the filter any more
    bool Exists(const std::u16string& path);

    SetupPorts& ports_;
    SetupState& state_;
    uint32_t waitLeft_ = 3000;  // ms, for files still held by a program that is ending
};
