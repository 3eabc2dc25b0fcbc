// Languages: the catalogue with its display names, Language.ini into label styles, and a skin's
// label overrides across a language switch.
#include <gtest/gtest.h>

#include <map>

#include "IntoAppearance.h"
#include "LanguageCatalogue.h"
#include "LanguageStyles.h"
#include "PanelError.h"
#include "TestFiles.h"

namespace {

class FakeListing : public IFolderListing {
public:
    std::vector<std::u16string> Subfolders(const std::u16string& folder) override {
        return folders[folder];
    }
    bool FileExists(const std::u16string&) override { return false; }
    bool CreateFolder(const std::u16string&) override { return false; }
    bool CopyNewFile(const std::u16string&, const std::u16string&) override { return false; }
    std::map<std::u16string, std::vector<std::u16string>> folders;
};

TEST(LanguageCatalogue, OrderDisplayNamesAndChoice) {
    TempFolder folder;
    const std::u16string russian = u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439";
    folder.Write(u"AudioConfig.cfg", AsUtf16(u"[MultiLanguageFolderMap]\r\n"
                                             u"English=English\r\n"
                                             u"Russian=" +
                                                 russian +
                                                 u"\r\n"
                                                 u"english2=English\r\n",
                                             false));
    FakeListing listing;
    listing.folders[folder.File(u"Language\\")] = {u"Russian", u"Klingon", u"english2", u"English"};
    const LanguageCatalogue catalogue = BuildLanguageCatalogue(
        listing, PlatformProfileStrings(), folder.path(), u"Language", u"Russian");
    ASSERT_EQ(catalogue.entries.size(), 4u);
    const std::u16string order[] = {u"English", u"english2", u"Klingon", u"Russian"};
    const std::u16string names[] = {u"English", u"English", u"", russian};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(catalogue.entries[i].folder, order[i]);
        EXPECT_EQ(catalogue.entries[i].displayName, names[i]);  // no name: listed, empty
    }
    EXPECT_EQ(catalogue.checked, 3);
    EXPECT_EQ(LanguageOfItem(catalogue, russian), u"Russian");
    EXPECT_EQ(LanguageOfItem(catalogue, u"English"), u"English");  // the first of two
    EXPECT_EQ(LanguageOfItem(catalogue, u""), u"Klingon");

    EXPECT_EQ(BuildLanguageCatalogue(listing, PlatformProfileStrings(), folder.path(), u"Language",
                                     u"Gone")
                  .checked,
              0);
    EXPECT_EQ(LanguageFilePath(u"C:\\App\\", u"Language", u"English"),
              u"C:\\App\\Language\\English\\Language.ini");
}

TEST(LanguageStyles, LabelValues) {
    // An unquoted comma ends the text: " world" lands in the colour field.
    EXPECT_THROW(ParseLabelValue(u"Hello, world,$0000FF,255,Tahoma,9"), PanelError);
    EXPECT_EQ(ParseLabelValue(u"A, 5").ColorUp, 5);  // leading spaces are allowed
    const LabelStyle quoted = ParseLabelValue(u"\"Hello, world\",$0000FF,255,MS Sans Serif,9");
    EXPECT_EQ(quoted.Text, u"Hello, world");
    EXPECT_EQ(quoted.ColorUp, 0xFF);
    EXPECT_EQ(quoted.ColorDown, 255);
    EXPECT_EQ(quoted.FontName, u"MS Sans Serif");
    EXPECT_TRUE(quoted.HasFontSize && !quoted.HasLeft && !quoted.HasHeight);

    // Colours are bit patterns; sizes and bounds are held to what a window can show.
    const LabelStyle huge =
        ParseLabelValue(u"Big,$FFFFFFFF,$80000000,Arial,2147483647,-99999,99999,40000,$7FFFFFFF");
    EXPECT_EQ(huge.ColorUp, -1);
    EXPECT_EQ(huge.ColorDown, INT32_MIN);
    EXPECT_EQ(huge.FontSize, 32767);
    EXPECT_EQ(huge.Left, -32767);
    EXPECT_EQ(huge.Top, 32767);
    EXPECT_EQ(huge.Width, 32767);
    EXPECT_EQ(huge.Height, 32767);

    const LabelStyle textOnly = ParseLabelValue(u"Save");
    EXPECT_EQ(textOnly.Text, u"Save");
    EXPECT_FALSE(textOnly.HasColorUp || textOnly.HasColorDown || textOnly.HasFontName ||
                 textOnly.HasFontSize || textOnly.HasLeft);

    const LabelStyle hidden = ParseLabelValue(u",1,2");  // no text: hidden, colours kept
    EXPECT_EQ(hidden.Text, u"");
    EXPECT_TRUE(hidden.HasColorUp && hidden.HasColorDown);

    const LabelStyle bounds = ParseLabelValue(u"X,,,,,-3,4,,$10");
    EXPECT_TRUE(bounds.HasLeft && bounds.HasTop && !bounds.HasWidth && bounds.HasHeight);
    EXPECT_EQ(bounds.Left, -3);
    EXPECT_EQ(bounds.Height, 16);
    EXPECT_EQ(ParseLabelValue(std::u16string(200, u'x')).Text.size(), 127u);
}

TEST(LanguageStyles, LoadAndSkinOverridesAcrossALanguageSwitch) {
    TempFolder folder;
    const std::u16string english =
        folder.Write(u"English.ini",
                     "[GlobalFont]\r\n"
                     "ColorUp=$FFFFFF\r\n"
                     "Font=Tahoma\r\n"
                     "FontSize=9,ignored\r\n"
                     "[Main]\r\n"
                     "LabelMenu1=Save,$00FF00,$0000FF,Arial,10,1,2,3,4\r\n"
                     "LabelWarning=Please plug in the headset\r\n"
                     "[EQ]\r\nLabelEQS1=S1\r\n"
                     "[About]\r\nLabelAbout=About text\r\n");
    const std::u16string german = folder.Write(u"Deutsch.ini",
                                               "[Main]\r\n"
                                               "LabelMenu1=Speichern,$111111,,Verdana,8\r\n");
    const std::u16string skin = folder.Write(u"SkinSetting.ini",
                                             "[MainLable]\r\n"
                                             "LabelMenu1=ignored,$ABCDEF,,Courier,,50,60\r\n"
                                             "LabelSX=,,$123456\r\n");
    LanguageStyles language;
    LoadLanguage(PlatformProfileStrings(), english, language);
    EXPECT_EQ(language.global.ColorUp, 0xFFFFFF);
    EXPECT_EQ(language.global.ColorDown, -1);
    EXPECT_EQ(language.global.FontName, u"Tahoma");
    EXPECT_EQ(language.global.FontSize, 9);
    EXPECT_EQ(StyleOf(language, u"LabelWarning").Text, u"Please plug in the headset");
    EXPECT_EQ(StyleOf(language, u"LabelAbout").Text, u"About text");
    EXPECT_EQ(StyleOf(language, u"LabelEQS2").Text, u"");  // missing: hidden
    EXPECT_EQ(LabelStyleIndex(u"LabelWarning"), kLabelStyleCount - 1);
    EXPECT_EQ(LabelStyleIndex(u"LableEQ3DEnable"), 16);
    for (int i = 0; i < kLabelStyleCount; ++i)
        EXPECT_EQ(LabelStyleIndex(LabelStyleKeyAt(i)), i);

    LoadSkinLabelOverrides(PlatformProfileStrings(), skin, language);
    const auto check = [&](const std::u16string& text, int32_t colorDown, int32_t fontSize) {
        const LabelStyle& menu1 = StyleOf(language, u"LabelMenu1");
        EXPECT_EQ(menu1.Text, text);
        EXPECT_EQ(menu1.ColorUp, 0xABCDEF);
        EXPECT_EQ(menu1.ColorDown, colorDown);
        EXPECT_EQ(menu1.FontName, u"Courier");
        EXPECT_EQ(menu1.FontSize, fontSize);
        EXPECT_EQ(menu1.Left, 50);
        EXPECT_EQ(menu1.Top, 60);
    };
    check(u"Save", 0xFF, 10);
    EXPECT_EQ(StyleOf(language, u"LabelSX").ColorDown, 0x123456);
    EXPECT_TRUE(StyleOf(language, u"LabelSX").HasColorDown);

    // A language switch takes the new texts; the skin's fields are laid over them again.
    LoadLanguage(PlatformProfileStrings(), german, language);
    EXPECT_EQ(language.global.FontName, u"");
    EXPECT_EQ(StyleOf(language, u"LabelWarning").Text, u"");
    LoadSkinLabelOverrides(PlatformProfileStrings(), skin, language);
    check(u"Speichern", 0, 8);
    EXPECT_FALSE(StyleOf(language, u"LabelMenu1").HasColorDown);
}

TEST(LanguageStyles, ANonIntegerStopsTheLoad) {
    TempFolder folder;
    const std::u16string bad = folder.Write(u"Bad.ini",
                                            "[Main]\r\nLabelMenu1=Save\r\n"
                                            "LabelMenu2=Load,green\r\n"
                                            "LabelMenu3=Info\r\n");
    LanguageStyles language;
    try {
        LoadLanguage(PlatformProfileStrings(), bad, language);
        FAIL() << "loaded";
    } catch (const PanelError& e) {
        EXPECT_NE(e.text().find(u"'green'"), std::u16string::npos);
        EXPECT_NE(e.text().find(u"LabelMenu2"), std::u16string::npos);
    }
    EXPECT_EQ(StyleOf(language, u"LabelMenu1").Text, u"Save");
    EXPECT_EQ(StyleOf(language, u"LabelMenu3").Text, u"");

    const std::u16string badGlobal =
        folder.Write(u"Global.ini", "[GlobalFont]\r\nFontSize=big\r\n");
    EXPECT_THROW(LoadLanguage(PlatformProfileStrings(), badGlobal, language), PanelError);
    // No file: every style empty, the defaults unset.
    LoadLanguage(PlatformProfileStrings(), folder.File(u"None.ini"), language);
    EXPECT_EQ(language.global.ColorUp, -1);
    EXPECT_EQ(language.global.FontSize, -1);
    EXPECT_EQ(StyleOf(language, u"LabelMenu1").Text, u"");
}

TEST(IntoAppearance, KeysByName) {
    SkinLayout layout;
    layout.images[static_cast<size_t>(SkinImageIndex(u"Main", u"LogoImage"))].FileName = u"M.png";
    layout.images[static_cast<size_t>(SkinImageIndex(u"About", u"LogoImage"))].FileName = u"A.png";
    layout.images[static_cast<size_t>(SkinImageIndex(u"EQ", u"EQS1ImageDown"))].FileName = u"S.png";
    LanguageStyles language;
    language.global.FontSize = 9;
    language.styles[static_cast<size_t>(LabelStyleIndex(u"LabelWarning"))].Text = u"Plug in";
    Appearance look;
    PutSkinImages(layout, look);
    PutLanguageStyles(language, look);
    EXPECT_EQ(look.images.size(), static_cast<size_t>(kSkinImageCount));
    EXPECT_EQ(look.labels.size(), static_cast<size_t>(kLabelStyleCount));
    EXPECT_EQ(look.images.at("LogoImage").FileName, u"M.png");
    EXPECT_EQ(look.images.at("About.LogoImage").FileName, u"A.png");
    EXPECT_EQ(look.images.at("EQS1ImageDown").FileName, u"S.png");
    EXPECT_EQ(look.labels.at("LabelWarning").Text, u"Plug in");
    EXPECT_EQ(look.globals.FontSize, 9);
}

}  // namespace
