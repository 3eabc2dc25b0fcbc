#include "SkinCatalogue.h"

#include <algorithm>

#include "SkinFields.h"

std::vector<std::u16string> SortedSubfolders(IFolderListing& listing,
                                             const std::u16string& folder) {
    std::vector<std::u16string> names = listing.Subfolders(folder);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::u16string& a, const std::u16string& b) {
                         const std::u16string fa = FoldedName(a);
                         const std::u16string fb = FoldedName(b);
                         return fa != fb ? fa < fb : a < b;
                     });
    return names;
}

FolderMenu BuildSkinMenu(IFolderListing& listing, const std::u16string& skinsFolder,
                         const std::u16string& currentSkin) {
    FolderMenu menu;
    menu.captions = SortedSubfolders(listing, skinsFolder);
    for (size_t i = 0; i < menu.captions.size(); ++i) {
        if (menu.captions[i] == currentSkin) {
            menu.checked = static_cast<int>(i);
            break;
        }
    }
    if (menu.checked < 0 && !menu.captions.empty()) {
        menu.checked = 0;
    }
    return menu;
}

std::u16string SkinNameOfItem(const std::u16string& caption) {
    return StripAccelerators(caption);
}

std::u16string SkinFilePath(const std::u16string& applicationFolder,
                            const std::u16string& skinFolderName, const std::u16string& skin,
                            const std::u16string& file) {
    return applicationFolder + skinFolderName + u"\\" + skin + u"\\" + file;
}
