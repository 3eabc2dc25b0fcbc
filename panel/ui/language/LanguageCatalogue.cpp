#include "LanguageCatalogue.h"

#include "ProfileFile.h"

namespace {

constexpr size_t kDisplayNameLimit = 31;

}  // namespace

LanguageCatalogue BuildLanguageCatalogue(IFolderListing& listing, IProfileStrings& strings,
                                         const std::u16string& applicationFolder,
                                         const std::u16string& languageFolderName,
                                         const std::u16string& currentLanguage) {
    LanguageCatalogue catalogue;
    const std::u16string config = applicationFolder + u"AudioConfig.cfg";
    for (const std::u16string& folder :
         SortedSubfolders(listing, applicationFolder + languageFolderName + u"\\")) {
        const std::u16string name =
            ReadProfileValue(strings, config, u"MultiLanguageFolderMap", folder);
        catalogue.entries.push_back({folder, name.substr(0, kDisplayNameLimit)});
        if (catalogue.checked < 0 && folder == currentLanguage) {
            catalogue.checked = static_cast<int>(catalogue.entries.size() - 1);
        }
    }
    if (catalogue.checked < 0 && !catalogue.entries.empty()) {
        catalogue.checked = 0;
    }
    return catalogue;
}

std::u16string LanguageOfItem(const LanguageCatalogue& catalogue, const std::u16string& caption) {
    for (const LanguageEntry& entry : catalogue.entries) {
        if (entry.displayName == caption) {
            return entry.folder;
        }
    }
    return {};
}

std::u16string LanguageFilePath(const std::u16string& applicationFolder,
                                const std::u16string& languageFolderName,
                                const std::u16string& folder) {
    return applicationFolder + languageFolderName + u"\\" + folder + u"\\Language.ini";
}
