// Skin files: the value syntax, SkinSetting.ini into the image table and geometry, the skin menu's
// order and the user's choice.
#include <gtest/gtest.h>

#include <map>

#include "PanelError.h"
#include "SkinCatalogue.h"
#include "SkinFields.h"
#include "SkinSettings.h"
#include "TestFiles.h"
#include "UserChoice.h"

namespace {

using Fields = std::vector<std::u16string>;

class FakeListing : public IFolderListing {
public:
    std::vector<std::u16string> Subfolders(const std::u16string& folder) override {
        return folders[folder];
    }
    bool FileExists(const std::u16string& path) override { return files.count(path) != 0; }
    bool CreateFolder(const std::u16string&) override { return false; }
    bool CopyNewFile(const std::u16string&, const std::u16string&) override { return false; }

    std::map<std::u16string, std::vector<std::u16string>> folders;
    std::map<std::u16string, bool> files;
};

TEST(SkinFields, SplitKeepsSpacesAndGroupsQuotes) {
    const struct {
        std::u16string value;
        Fields fields;
    } cases[] = {
        {u"", {}},
        {u"Back.png", {u"Back.png"}},
        {u"My Back.png, 5,6 ", {u"My Back.png", u" 5", u"6 "}},
        {u"\"a,b.png\",1,2", {u"a,b.png", u"1", u"2"}},
        {u"a,,b", {u"a", u"", u"b"}},
        {u"a,", {u"a", u""}},
        {u",1", {u"", u"1"}},
        {u"\"say \"\"hi\"\"\",1", {u"say \"hi\"", u"1"}},
        {u"\"open,to the end", {u"open,to the end"}},
        {u"\"q\"tail,2", {u"qtail", u"2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.value));
        EXPECT_EQ(SplitFields(c.value), c.fields);
    }
}

TEST(SkinFields, IntegersAndAccelerators) {
    EXPECT_EQ(FieldInteger(u"120"), 120);
    EXPECT_EQ(FieldInteger(u"$1F"), 31);
    EXPECT_EQ(FieldInteger(u"$00FF00"), 0xFF00);
    EXPECT_EQ(FieldInteger(u"-4"), -4);
    for (const char16_t* bad : {u"", u"12px", u"5 ", u"$", u"1.0"}) {
        SCOPED_TRACE(Narrow(bad));
        EXPECT_THROW(FieldInteger(bad), PanelError);
    }
    // Pixels: what a window message carries, so sums and products of a few never overflow.
    const struct {
        const char16_t* text;
        int32_t pixels;
    } pixels[] = {{u"120", 120},          {u"-32767", -32767},      {u"32768", 32767},
                  {u"2147483647", 32767}, {u"-2147483648", -32767}, {u"$FFFFFFFF", -1},
                  {u"$80000000", -32767}};
    for (const auto& p : pixels) {
        EXPECT_EQ(FieldPixels(p.text), p.pixels) << Narrow(p.text);
    }
    EXPECT_THROW(FieldPixels(u"2147483648"), PanelError);
    EXPECT_EQ(StripAccelerators(u"&Blue"), u"Blue");
    EXPECT_EQ(StripAccelerators(u"Rock && Roll"), u"Rock & Roll");
    EXPECT_EQ(StripAccelerators(u"End&"), u"End");
}

TEST(SkinSettings, ImageValues) {
    const SkinImageEntry all = ParseImageValue(u"Back.png,1,2,300,$20");
    EXPECT_EQ(all.FileName, u"Back.png");
    EXPECT_TRUE(all.HasLeft && all.HasTop && all.HasWidth && all.HasHeight);
    EXPECT_EQ(all.Width, 300);
    EXPECT_EQ(all.Height, 32);

    const SkinImageEntry some = ParseImageValue(u"S 1.bmp,,7,,,99");  // a sixth field is ignored
    EXPECT_EQ(some.FileName, u"S 1.bmp");
    EXPECT_FALSE(some.HasLeft || some.HasWidth || some.HasHeight);
    EXPECT_TRUE(some.HasTop);
    EXPECT_EQ(some.Top, 7);

    const SkinImageEntry huge = ParseImageValue(u"Big.png,-2147483648,2147483647,99999,$7FFFFFFF");
    EXPECT_EQ(huge.Left, -32767);
    EXPECT_EQ(huge.Top, 32767);
    EXPECT_EQ(huge.Width, 32767);
    EXPECT_EQ(huge.Height, 32767);

    EXPECT_THROW(ParseImageValue(u",1,2"), PanelError);  // bounds but no file
    EXPECT_THROW(ParseImageValue(u"a.png,left"), PanelError);
    EXPECT_EQ(SkinImageIndex(u"Main", u"MainFormImage"), 0);
    EXPECT_EQ(SkinImageIndex(u"About", u"LogoImage"), kSkinImageCount - 1);
    EXPECT_EQ(SkinImageIndex(u"EQ", u"EQSlider"), -1);
    for (int i = 0; i < kSkinImageCount; ++i) {
        const SkinKeyName name = SkinImageKeyAt(i);
        EXPECT_EQ(SkinImageIndex(name.section, name.key), i);
    }
    EXPECT_EQ(std::u16string(SkinImageKeyAt(kSkinImageCount).key), u"");
}

TEST(SkinSettings, LoadReadsImagesAndGeometry) {
    TempFolder folder;
    const std::u16string ini = folder.Write(u"SkinSetting.ini",
                                            "[Main]\r\n"
                                            "MainFormImage=Main.png\r\n"
                                            "CloseImageUp=Close Up.png,300,4\r\n"
                                            "BackNotebook=10,40,380,260\r\n"
                                            "[EQ]\r\n"
                                            "EQPanel=380,260\r\n"
                                            "EQSlider=100,120\r\n"
                                            "[Effect]\r\nEffectPanel=1,2\r\n"
                                            "[Mic]\r\n"
                                            "MicPanel=3,4\r\n"
                                            "MicSlider=90,150\r\n"
                                            "MicProgressLength=$C8\r\n"
                                            "[Virtual7ch1]\r\n"
                                            "VirtualPanel=5,6\r\n"
                                            "VirtualCenter=180,150,90\r\n"
                                            "[About]\r\nLogoImage=AboutLogo.bmp\r\n");
    SkinLayout layout;
    layout.images[5].FileName = u"stale.png";
    SkinGeometry geometry;
    geometry.radius = 60;
    LoadSkinSettings(PlatformProfileStrings(), ini, layout, geometry);

    EXPECT_EQ(SkinImage(layout, u"Main", u"MainFormImage").FileName, u"Main.png");
    const SkinImageEntry& close = SkinImage(layout, u"Main", u"CloseImageUp");
    EXPECT_EQ(close.FileName, u"Close Up.png");
    EXPECT_EQ(close.Left, 300);
    EXPECT_FALSE(close.HasWidth);
    EXPECT_EQ(layout.images[5].FileName, u"");  // cleared before the load
    EXPECT_EQ(SkinImage(layout, u"About", u"LogoImage").FileName, u"AboutLogo.bmp");
    EXPECT_EQ(SkinImage(layout, u"Main", u"LogoImage").FileName, u"");
    EXPECT_EQ(layout.backNotebook.left, 10);
    EXPECT_EQ(layout.backNotebook.height, 260);
    EXPECT_EQ(layout.micPanel.width, 3);
    // One travel for every slider: MicSlider's replaces EQSlider's.
    EXPECT_EQ(geometry.eqTop0, 100);
    EXPECT_EQ(geometry.micTop0, 90);
    EXPECT_EQ(geometry.sliderTravel, 150);
    EXPECT_EQ(geometry.micProgressLength, 200);
    EXPECT_EQ(layout.previousRadius, 60);
    EXPECT_EQ(geometry.radius, 90);
    EXPECT_EQ(geometry.centerX, 180);
}

TEST(SkinSettings, BadOrMissingGeometryStopsTheLoadThere) {
    TempFolder folder;
    const std::u16string ini = folder.Write(u"SkinSetting.ini",
                                            "[Main]\r\nMainFormImage=Main.png\r\n"
                                            "BackNotebook=10,40,380,260\r\n"
                                            "[EQ]\r\nBack_EQImage=EQ.png\r\nEQPanel=380\r\n"
                                            "[Mic]\r\nMicPanel=3,4\r\n");
    SkinLayout layout;
    SkinGeometry geometry;
    try {
        LoadSkinSettings(PlatformProfileStrings(), ini, layout, geometry);
        FAIL() << "loaded";
    } catch (const PanelError& e) {
        EXPECT_NE(e.text().find(u"[EQ] EQPanel"), std::u16string::npos) << e.what();
    }
    EXPECT_EQ(SkinImage(layout, u"EQ", u"Back_EQImage").FileName, u"EQ.png");
    EXPECT_EQ(layout.micPanel.width, 0);

    // Without the file every key is missing: the first geometry key stops it.
    try {
        LoadSkinSettings(PlatformProfileStrings(), folder.File(u"None.ini"), layout, geometry);
        FAIL() << "loaded";
    } catch (const PanelError& e) {
        EXPECT_NE(e.text().find(u"[Main] BackNotebook"), std::u16string::npos) << e.what();
    }
}

TEST(SkinCatalogue, MenuOrderAndCheckedItem) {
    FakeListing listing;
    listing.folders[u"C:\\App\\Skin\\"] = {u"b", u"A", u"c"};
    const struct {
        std::u16string current;
        int checked;
    } cases[] = {{u"c", 2}, {u"A", 0}, {u"a", 0}, {u"", 0}, {u"Gone", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.current));
        const FolderMenu menu = BuildSkinMenu(listing, u"C:\\App\\Skin\\", c.current);
        EXPECT_EQ(menu.captions, (Fields{u"A", u"b", u"c"}));
        EXPECT_EQ(menu.checked, c.checked);
    }
    EXPECT_EQ(BuildSkinMenu(listing, u"C:\\App\\NoSkins\\", u"A").checked, -1);
    EXPECT_EQ(SkinNameOfItem(u"&b"), u"b");
    EXPECT_EQ(SkinFilePath(u"C:\\App\\", u"Skin", u"b", u"SkinSetting.ini"),
              u"C:\\App\\Skin\\b\\SkinSetting.ini");
}

TEST(UserChoiceFile, ReadAndWrittenOnlyWhenTheFileExists) {
    TempFolder folder;
    FakeListing listing;
    const std::u16string path = folder.File(u"AudioConfig.cfg");
    EXPECT_EQ(UserConfigPath(u"C:\\Users\\u\\AppData", u"QLN47xx"),
              u"C:\\Users\\u\\AppData\\QLN47xx\\AudioConfig.cfg");

    WriteUserChoice(listing, PlatformProfileStrings(), path, {u"English", u"Blue"});
    EXPECT_EQ(folder.Read(u"AudioConfig.cfg"), "");  // not created
    UserChoice none = ReadUserChoice(listing, PlatformProfileStrings(), path);
    EXPECT_TRUE(none.language.empty() && none.skin.empty());

    folder.Write(u"AudioConfig.cfg", AsUtf16(u"[Install]\r\nInstallAppTitle=Panel\r\n"
                                             u"[Language]\r\nDefaultLanguage=English\r\n",
                                             false));
    listing.files[path] = true;
    UserChoice read = ReadUserChoice(listing, PlatformProfileStrings(), path);
    EXPECT_EQ(read.language, u"English");
    EXPECT_EQ(read.skin, u"");
    WriteUserChoice(listing, PlatformProfileStrings(), path,
                    {u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439", u"Blue"});
    read = ReadUserChoice(listing, PlatformProfileStrings(), path);
    EXPECT_EQ(read.language, u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439");
    EXPECT_EQ(read.skin, u"Blue");
}

}  // namespace
