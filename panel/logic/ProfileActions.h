// Profile save and load behind the Save and Load buttons, and the last profile kept across runs
// in %APPDATA%\<profile folder>\LastProfile.ini.
#pragma once

#include <cstdint>
#include <string>

#include "PanelContext.h"
#include "ProfileHost.h"
#include "ports/ProfileStrings.h"

// What the main window holds for its profiles.
struct ProfileSession {
    PanelContext& panel;
    IProfileStrings& strings;
    IProfileHost& host;
    std::u16string programFolder;      // with its trailing '\'; holds AudioConfig.cfg
    std::u16string profileFolderName;  // InstallFolderName
    // The save dialog's proposal: the name chosen last in this run.
    std::u16string proposedName = u"AudioSetting.ini";
};

extern const char16_t kProfileFilter[];  // "INI (*.ini)|*.ini"

// Save button: 1 headset absent (no dialog), 2 dialog cancelled, 0 saved and its path kept as
// LastINI/Path in the per-user AudioConfig.cfg (made from the program folder's copy when
// missing; the program folder is not the user's to write).
uint32_t ProfileSave(ProfileSession& session);

// Load button: nothing without the headset or when cancelled. A malformed number throws
// PanelError, the steps before it applied.
void ProfileLoad(ProfileSession& session);

// Shutdown: the folder is created, the file written whether or not it exists. 0.
uint32_t LastProfileSave(ProfileSession& session);

// Start-up: 1 when there is no last profile, 0 when it was applied. A file that cannot be read
// completely (cut short, a malformed number) must not keep the panel from starting: the problem
// is shown once through the host, what was applied before it stays, and 2 is returned.
uint32_t LastProfileLoad(ProfileSession& session);

std::u16string LastProfilePath(ProfileSession& session);
