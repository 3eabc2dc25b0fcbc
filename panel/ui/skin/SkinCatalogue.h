// The installed skins: one per subfolder of the skins folder, named after it, and the Skin menu
// built from them.
#pragma once

#include <string>
#include <vector>

#include "FolderListing.h"

struct FolderMenu {
    std::vector<std::u16string> captions;
    int checked = -1;  // the item shown checked; -1 only when there is none
};

// Items in menu order; the item equal to currentSkin is checked, else the first (the current
// skin name is not changed).
FolderMenu BuildSkinMenu(IFolderListing& listing, const std::u16string& skinsFolder,
                         const std::u16string& currentSkin);

// The skin an item names: its caption without accelerator markers.
std::u16string SkinNameOfItem(const std::u16string& caption);

// application folder + skin folder name + "\" + skin + "\" + file.
std::u16string SkinFilePath(const std::u16string& applicationFolder,
                            const std::u16string& skinFolderName, const std::u16string& skin,
                            const std::u16string& file);
