#include <gtest/gtest.h>

#include <string>

#include "PlatformHelpers.h"
#include "TestFiles.h"

namespace {

class ReadProfileStringTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(ReadProfileStringTest, ReadsAValue) {
    const std::u16string path = folder.Write(u"AudioConfig.cfg",
                                             "[Common]\r\n"
                                             "AppTitle=QLN47xx Audio\r\n"
                                             "[Setup]\r\n"
                                             "Language=English\r\n"
                                             "Other=1\r\n");
    std::u16string value;
    EXPECT_EQ(0, ReadProfileString(path, u"Setup", u"Language", value));
    EXPECT_EQ(u"English", value);
    EXPECT_EQ(0, ReadProfileString(path, u"Common", u"AppTitle", value));
    EXPECT_EQ(u"QLN47xx Audio", value);
}

TEST_F(ReadProfileStringTest, NothingReadLeavesTheOutputAlone) {
    const std::u16string path = folder.Write(u"a.ini",
                                             "[Setup]\r\n"
                                             "Language=English\r\n"
                                             "Empty=\r\n"
                                             "[Next]\r\n"
                                             "Skin=Blue\r\n");
    struct Case {
        const char* name;
        std::u16string path;
        std::u16string section;
        std::u16string key;
    };
    const Case cases[] = {
        {"missing key", path, u"Setup", u"Skin"},
        {"missing section", path, u"Folders", u"Language"},
        {"missing file", folder.File(u"missing.ini"), u"Setup", u"Language"},
        {"empty value", path, u"Setup", u"Empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string value = u"unchanged";
        EXPECT_EQ(1, ReadProfileString(c.path, c.section, c.key, value));
        EXPECT_EQ(u"unchanged", value);
    }
}

TEST_F(ReadProfileStringTest, LongValuesAreCutAt1023Characters) {
    for (size_t length : {1022, 1023, 1024, 1500}) {
        SCOPED_TRACE(length);
        std::string value;
        for (size_t i = 0; i < length; ++i)
            value += static_cast<char>('a' + i % 26);
        const std::u16string path = folder.Write(u"long.ini", "[S]\r\nk=" + value + "\r\n");
        std::u16string read;
        ASSERT_EQ(0, ReadProfileString(path, u"S", u"k", read));
        const std::string expected = value.substr(0, 1023);
        EXPECT_EQ(std::u16string(expected.begin(), expected.end()), read);
    }
}

TEST_F(ReadProfileStringTest, Utf16FileKeepsNonLatinText) {
    const std::u16string russian = u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439";
    const std::u16string greek = u"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
    const std::u16string path = folder.Write(
        u"Language.ini",
        AsUtf16(u"[Setup]\r\nLanguage=" + russian + u"\r\nTitle=" + greek + u"\r\n", false));
    std::u16string value;
    ASSERT_EQ(0, ReadProfileString(path, u"Setup", u"Language", value));
    EXPECT_EQ(russian, value);
    ASSERT_EQ(0, ReadProfileString(path, u"Setup", u"Title", value));
    EXPECT_EQ(greek, value);
}

}  // namespace
