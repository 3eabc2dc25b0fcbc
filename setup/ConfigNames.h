// Names from AudioConfig.cfg become parts of paths: each must be one plain file or folder name.
#pragma once

#include <optional>
#include <string>

#include "AudioConfig.h"

// Not empty, no separator, drive, "." or "..", no character Windows refuses in a name, no
// trailing dot or blank, and no device name such as CON, NUL, COM1 or LPT1 (with any extension).
bool IsPlainName(const std::u16string& name);

// The message that stops the installation, or nothing when every name can be used. An empty
// default language is allowed: the manual is then looked for in "Manual\" itself.
std::optional<std::u16string> FindUnusableConfigName(const _APPLICATION_FOLDER_PATH& folders,
                                                     const std::u16string& defaultLanguage);
