// What the uninstaller removes: everything the installation wrote except the user's own
// profiles. Every removal is best effort; what cannot be removed is traced and left.
#pragma once

#include <string>

#include "SetupContext.h"

class UninstallSequence {
public:
    UninstallSequence(SetupPorts& ports, SetupState& state) : ports_(ports), state_(state) {}

    // Everything but the running uninstaller's own file and the install folder that holds it,
    // which the platform removes once the program has ended.
    void Uninstall();

private:
    void RemoveService();
    void RemoveDriver();
    void RemoveProgramFiles();
    void RemoveShortcuts();
    void RemoveRegistryEntries();
    void RemoveFile(const std::u16string& path);
    void RemoveTree(const std::u16string& folder);
    void RemoveKeyTree(const std::u16string& path);

    SetupPorts& ports_;
    SetupState& state_;
};
