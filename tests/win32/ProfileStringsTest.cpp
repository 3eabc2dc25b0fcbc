// ReadProfileString on top of GetPrivateProfileStringW, with files on a Z:\ path.
#include <gtest/gtest.h>

#include <string>

#include "PlatformHelpers.h"
#include "TestFiles.h"

namespace {

const std::u16string kUnchanged = u"<unchanged>";

TEST(ProfileStringsWin32, ReadsValuesAndReportsAbsentOnes) {
    TempFolder folder;
    const std::string longValue(1500, 'v');
    const std::u16string path = folder.Write(u"AudioConfig.cfg",
                                             "[Install]\r\n"
                                             "InstallAppTitle=QLN47xx Audio Panel\r\n"
                                             "Empty=\r\n"
                                             "Long=" +
                                                 longValue +
                                                 "\r\n"
                                                 "[Skin]\r\n"
                                                 "SkinFolderName=Skin\r\n");
    struct Case {
        std::u16string file;
        const char16_t* section;
        const char16_t* key;
        int status;
        std::u16string value;
    };
    const Case cases[] = {
        {path, u"Install", u"InstallAppTitle", 0, u"QLN47xx Audio Panel"},
        {path, u"Skin", u"SkinFolderName", 0, u"Skin"},
        {path, u"Install", u"Long", 0, std::u16string(1023, u'v')},
        {path, u"Install", u"Empty", 1, kUnchanged},
        {path, u"Install", u"Missing", 1, kUnchanged},
        {path, u"Missing", u"InstallAppTitle", 1, kUnchanged},
        {path, u"Skin", u"InstallAppTitle", 1, kUnchanged},
        {folder.File(u"NoSuchFile.cfg"), u"Install", u"InstallAppTitle", 1, kUnchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.section) + "/" + Narrow(c.key));
        std::u16string value = kUnchanged;
        EXPECT_EQ(ReadProfileString(c.file, c.section, c.key, value), c.status);
        EXPECT_EQ(value, c.value);
    }
}

TEST(ProfileStringsWin32, Utf16FileKeepsNonLatinTextExactly) {
    TempFolder folder;
    const std::u16string name = u"Русский 日本語 Ελληνικά Français";
    const std::u16string path = folder.Write(
        u"Language.ini", AsUtf16(u"[MultiLanguageFolderMap]\r\nOther=" + name + u"\r\n", false));
    std::u16string value;
    ASSERT_EQ(ReadProfileString(path, u"MultiLanguageFolderMap", u"Other", value), 0);
    EXPECT_EQ(value, name);
}

}  // namespace
