// The product's skins and languages give every key the control catalogue asks them for: a key
// left out hides its control without a word.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AccessibleNames.h"
#include "Catalogue.h"
#include "MicStateTexts.h"
#include "ProfileFile.h"
#include "SkinSettings.h"
#include "TestFiles.h"

namespace {

std::u16string Wide(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// The names of the product folder's subfolders, e.g. the skins.
std::vector<std::string> ShippedFolders(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(HostFsPath(SourcePath(folder)))) {
        if (entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

TEST(ShippedFiles, EverySkinGivesEveryImageKey) {
    const std::vector<std::string> skins = ShippedFolders("product/Skin");
    ASSERT_FALSE(skins.empty());
    for (const std::string& skin : skins) {
        const std::u16string ini = SourcePath("product/Skin/" + skin + "/SkinSetting.ini");
        for (int i = 0; i < kSkinImageCount; ++i) {
            const SkinKeyName name = SkinImageKeyAt(i);
            EXPECT_NE(ReadProfileValue(PlatformProfileStrings(), ini, name.section, name.key), u"")
                << skin << ": [" << Narrow(name.section) << "] " << Narrow(name.key);
        }
    }
}

TEST(ShippedFiles, EveryLanguageGivesEveryLabelKey) {
    const std::vector<std::string> languages = ShippedFolders("product/Language");
    ASSERT_FALSE(languages.empty());
    for (const std::string& language : languages) {
        const std::u16string ini = SourcePath("product/Language/" + language + "/Language.ini");
        for (size_t r = 0; r < kCatalogueSize; ++r) {
            const CatalogueRow& row = kCatalogue[r];
            if (row.kind != Kind::Label || row.keySource != Keys::Language) {
                continue;
            }
            for (size_t k = 0; k < KeyCount(row); ++k) {
                EXPECT_NE(ReadProfileValue(PlatformProfileStrings(), ini,
                                           Wide(SectionOf(row.parent)), Wide(row.keys[k])),
                          u"")
                    << language << ": [" << SectionOf(row.parent) << "] " << row.keys[k];
            }
        }
    }
}

// A screen reader would read the built-in English name in the middle of another language.
TEST(ShippedFiles, EveryLanguageNamesWhatAScreenReaderReads) {
    const std::vector<std::string> languages = ShippedFolders("product/Language");
    ASSERT_FALSE(languages.empty());
    for (const std::string& language : languages) {
        const std::u16string ini = SourcePath("product/Language/" + language + "/Language.ini");
        for (const AccessibleNameKey& name : AccessibleNameKeys()) {
            EXPECT_NE(ReadProfileValue(PlatformProfileStrings(), ini, kAccessibilitySection,
                                       Wide(name.key)),
                      u"")
                << language << ": [Accessibility] " << name.key;
        }
    }
}

// The tray's tooltip and the notice would say it in English in the middle of another language.
TEST(ShippedFiles, EveryLanguageSaysTheMicrophonesState) {
    const std::vector<std::string> languages = ShippedFolders("product/Language");
    ASSERT_FALSE(languages.empty());
    for (const std::string& language : languages) {
        const std::u16string ini = SourcePath("product/Language/" + language + "/Language.ini");
        for (const char16_t* key : {u"Muted", u"On"}) {
            EXPECT_NE(ReadProfileValue(PlatformProfileStrings(), ini, kMicStateSection, key), u"")
                << language << ": [MicState] " << Narrow(key);
        }
    }
}

}  // namespace
