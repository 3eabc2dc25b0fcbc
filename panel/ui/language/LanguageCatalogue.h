// The installed languages: one per subfolder of the languages folder, in menu order, with the
// display names of [MultiLanguageFolderMap] in the program folder's AudioConfig.cfg.
#pragma once

#include <string>
#include <vector>

#include "FolderListing.h"
#include "ports/ProfileStrings.h"

struct LanguageEntry {
    std::u16string folder;       // the language's key
    std::u16string displayName;  // the menu caption; empty when the map has none
};

struct LanguageCatalogue {
    std::vector<LanguageEntry> entries;  // menu order
    int checked = -1;  // the current language's item, else the first; -1 when there is none
};

// BuildLanguageMenu's catalogue; the current language is not changed.
LanguageCatalogue BuildLanguageCatalogue(IFolderListing& listing, IProfileStrings& strings,
                                         const std::u16string& applicationFolder,
                                         const std::u16string& languageFolderName,
                                         const std::u16string& currentLanguage);

// LanguageMenuClick: the folder of the first item with this caption (two languages with one
// display name both select the first); empty when no item has it.
std::u16string LanguageOfItem(const LanguageCatalogue& catalogue, const std::u16string& caption);

// application folder + language folder name + "\" + folder + "\Language.ini".
std::u16string LanguageFilePath(const std::u16string& applicationFolder,
                                const std::u16string& languageFolderName,
                                const std::u16string& folder);
