// WriteString on both platforms: natively the portable writer, under Wine the real
// WritePrivateProfileStringW. Only what both do is asserted.
#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "ports/ProfileStrings.h"

namespace {

std::u16string Get(const std::u16string& path, const std::u16string& section,
                   const std::u16string& key) {
    char16_t buffer[256] = {};
    const uint32_t n =
        PlatformProfileStrings().GetString(section, key, u"<none>", buffer, 256, path);
    return std::u16string(buffer, n);
}

bool Put(const std::u16string& path, const std::u16string& section, const std::u16string& key,
         const std::u16string& value) {
    return PlatformProfileStrings().WriteString(section, key, value, path);
}

TEST(ProfileStringsWrite, NewFileIsWrittenAsEightBitText) {
    TempFolder folder;
    const std::u16string path = folder.File(u"New.ini");
    ASSERT_TRUE(Put(path, u"EQ", u"S1", u"0x400,0x400,0x400,0x400,0x400,0"));
    ASSERT_TRUE(Put(path, u"EQ", u"S2", u"0x1A,0x0,0xFFF,0x400,0x400,1"));
    ASSERT_TRUE(Put(path, u"Name", u"Text", u"caf\u00E9"));
    EXPECT_EQ(folder.Read(u"New.ini"),
              "[EQ]\r\nS1=0x400,0x400,0x400,0x400,0x400,0\r\nS2=0x1A,0x0,0xFFF,0x400,0x400,1\r\n"
              "[Name]\r\nText=caf\xE9\r\n");
    EXPECT_EQ(Get(path, u"Name", u"Text"), u"caf\u00E9");
}

TEST(ProfileStringsWrite, ReplacesAndAppendsKeepingEverythingElse) {
    TempFolder folder;
    const std::u16string path = folder.Write(u"Keep.ini",
                                             "; kept comment\r\n"
                                             "[First]\r\n"
                                             "A=1\r\n"
                                             "B=2\r\n"
                                             "[Second]\r\n"
                                             "C=3\r\n");
    ASSERT_TRUE(Put(path, u"first", u"b", u"20"));  // names match in any case
    ASSERT_TRUE(Put(path, u"First", u"New", u"x y"));
    ASSERT_TRUE(Put(path, u"Third", u"D", u"4"));
    ASSERT_TRUE(Put(path, u"Second", u"C", u"30"));
    EXPECT_EQ(folder.Read(u"Keep.ini"),
              "; kept comment\r\n"
              "[First]\r\n"
              "A=1\r\n"
              "B=20\r\n"
              "New=x y\r\n"
              "[Second]\r\n"
              "C=30\r\n"
              "[Third]\r\n"
              "D=4\r\n");
    EXPECT_EQ(Get(path, u"First", u"B"), u"20");
    EXPECT_EQ(Get(path, u"First", u"New"), u"x y");
}

TEST(ProfileStringsWrite, Utf16FileStaysUtf16AndKeepsNonLatinText) {
    TempFolder folder;
    const std::u16string name = u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 \u65E5\u672C";
    const std::u16string path = folder.Write(u"Map.ini", AsUtf16(u"[Map]\r\nA=1\r\n", false));
    ASSERT_TRUE(Put(path, u"Map", u"Other", name));
    ASSERT_TRUE(Put(path, u"Map", u"A", u"\u00C5"));
    EXPECT_EQ(folder.Read(u"Map.ini"),
              AsUtf16(u"[Map]\r\nA=\u00C5\r\nOther=" + name + u"\r\n", false));
    EXPECT_EQ(Get(path, u"Map", u"Other"), name);
}

TEST(ProfileStringsWrite, EightBitFileStaysEightBit) {
    TempFolder folder;
    const std::u16string path = folder.Write(u"Ansi.ini", "[S]\r\nK=\xE9t\xE9\r\n");
    ASSERT_TRUE(Put(path, u"S", u"L", u"\u00FC\u00DF"));
    EXPECT_EQ(folder.Read(u"Ansi.ini"), "[S]\r\nK=\xE9t\xE9\r\nL=\xFC\xDF\r\n");
    EXPECT_EQ(Get(path, u"S", u"K"), u"\u00E9t\u00E9");
}

TEST(ProfileStringsWrite, MissingFolderIsNotCreated) {
    TempFolder folder;
    EXPECT_FALSE(Put(folder.File(u"NoSuchFolder\\x.ini"), u"S", u"K", u"v"));
    EXPECT_EQ(Get(folder.File(u"NoSuchFolder\\x.ini"), u"S", u"K"), u"<none>");
}

}  // namespace
