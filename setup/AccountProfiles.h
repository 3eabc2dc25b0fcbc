// The profile folders of the other accounts on this machine. An uninstaller run by another
// administrator, or by SYSTEM from a deployment tool, finds the installing account's %APPDATA%
// entries there: they are not its own to remove.
#pragma once

#include <string>
#include <vector>

#include "ports/Registry.h"
#include "ports/SetupSystem.h"

class OtherAccountProfiles {
public:
    // From the machine's profile list, without the running account's profile (USERPROFILE, or
    // the one that holds its APPDATA).
    OtherAccountProfiles(IRegistry& registry, ISetupSystem& system);

    bool Contains(const std::u16string& path) const;

private:
    bool IsOwn(const std::u16string& profile) const;

    std::u16string profilesFolder_;  // each account's profile is one folder below it
    std::vector<std::u16string> profiles_;
    std::u16string ownProfile_;
    std::u16string ownAppData_;
};
