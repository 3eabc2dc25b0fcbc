// What the uninstaller removes: exactly what the install log beside it lists, in the reverse
// order of creation, and only in the places the installer writes to. Without an intact log it
// removes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AccountProfiles.h"
#include "InstallLog.h"
#include "InstalledArtefacts.h"
#include "OtherInstallations.h"
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
    // What became of one entry of the log.
    enum class Removal {
        Done,     // gone (or goes with the install folder)
        Kept,     // stays listed by design, no failure: a folder that holds unlisted files
        Left,     // stays listed for a later run: in use, refused, still needed by a device
        NotOurs,  // dropped from the log: another account's, another installation's
    };
    // What one attempt on a file or folder found.
    enum class Attempt { Removed, Gone, Held, Refused };
    Removal Take(const LogEntry& entry);
    Removal Remove(const LogEntry& entry);
    bool RemoveFile(const std::u16string& path);
    Removal RemoveFolder(const std::u16string& path);
    // Opened first, then checked and removed through the same handle.
    Attempt RemoveOnce(const std::u16string& path);
    Removal RemoveService();
    bool RemoveValue(const LogEntry& entry);
    // path: the installed key or one of its subkeys.
    bool RemoveKeyTree(const InstalledKey& installed, const std::u16string& path);
    bool UnbindFilter();  // true when no device and not the media class lists the filter
    bool IsDriverEntry(const LogEntry& entry) const;
    bool ListedElsewhere(const LogEntry& entry) const;
    bool Exists(const std::u16string& path);

    SetupPorts& ports_;
    SetupState& state_;
    // Set for one run of Uninstall.
    const RemovalPlaces* places_ = nullptr;
    const OtherAccountProfiles* otherProfiles_ = nullptr;
    std::vector<OtherInstallation> others_;
    bool driverShared_ = false;  // another installation lists the driver
    bool driverFree_ = false;    // nothing binds the driver any more: it may go
    uint32_t waitLeft_ = 3000;   // ms, for files still held by a program that is ending
};
