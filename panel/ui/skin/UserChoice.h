// The user's language and skin, kept in %APPDATA%\<InstallFolderName>\AudioConfig.cfg. The
// installer places that file for the user who installs; every other user gets the program
// folder's copy at the first start (ProvideUserConfig).
#pragma once

#include <string>

#include "FolderListing.h"
#include "ports/ProfileStrings.h"

struct UserChoice {
    std::u16string language;  // [Language] DefaultLanguage: a language folder name
    std::u16string skin;      // [Skin] DefaultSkin: a skin folder name
};

std::u16string UserConfigPath(const std::u16string& appData,
                              const std::u16string& installFolderName);

// Copies programConfig to the user configuration file when that is missing, its folder created
// first. Returns the file to read the choice from: the user's, or programConfig when the user has
// none and none could be made (no %APPDATA%, no folder name, a folder that cannot be written).
std::u16string ProvideUserConfig(IFolderListing& files, const std::u16string& programConfig,
                                 const std::u16string& appData,
                                 const std::u16string& installFolderName);

// Both names empty when the file is not there; each at most 127 characters.
UserChoice ReadUserChoice(IFolderListing& files, IProfileStrings& strings,
                          const std::u16string& path);
// Writes both keys, only into an existing file.
void WriteUserChoice(IFolderListing& files, IProfileStrings& strings, const std::u16string& path,
                     const UserChoice& choice);
