// Installations of this product in folders other than this one, as their uninstall entries name
// them. A second installation elsewhere would take over the shared system parts; an uninstaller
// must leave what another installation still lists.
#pragma once

#include <string>
#include <vector>

#include "InstallLog.h"
#include "ports/Registry.h"
#include "ports/SetupFiles.h"

struct OtherInstallation {
    std::u16string folder;  // no ending backslash
    // False when its uninstall entry is in the other registry view (the other width): its keys
    // below SOFTWARE are its own then, apart from ours.
    bool sameView = true;
    std::vector<LogEntry> log;  // empty when its log is missing or damaged
};

// From the uninstall entry in both registry views; only installations whose uninstaller or log
// is still there, and none in ownFolder.
std::vector<OtherInstallation> FindOtherInstallations(IRegistry& registry, ISetupFiles& files,
                                                      bool isWow64,
                                                      const std::u16string& ownFolder);

// True when the other installation's log lists the entry too.
bool ListsAlso(const OtherInstallation& other, const LogEntry& entry);
