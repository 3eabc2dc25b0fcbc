// The user's language and skin, kept in %APPDATA%\<InstallFolderName>\AudioConfig.cfg, which the
// installer places: without that file nothing is read or written.
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

// Both names empty when the file is not there; each at most 127 characters.
UserChoice ReadUserChoice(IFolderListing& files, IProfileStrings& strings,
                          const std::u16string& path);
// Writes both keys, only into an existing file.
void WriteUserChoice(IFolderListing& files, IProfileStrings& strings, const std::u16string& path,
                     const UserChoice& choice);
