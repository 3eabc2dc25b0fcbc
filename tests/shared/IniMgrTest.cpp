#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IniMgr.h"
#include "TestFiles.h"

namespace {

using Names = std::vector<std::u16string>;

class IniMgrTest : public ::testing::Test {
protected:
    // Writes bytes to a file and loads it into ini.
    int32_t LoadBytes(const std::string& bytes, const std::u16string& name = u"test.ini") {
        return ini.Load(folder.Write(name, bytes));
    }

    Names ValueNames(const std::u16string& section) {
        Names names;
        ini.GetValueNames(section, names);
        return names;
    }

    TempFolder folder;
    CIniMgr ini;
};

TEST_F(IniMgrTest, ParseKeepsNamesAndValuesAsWritten) {
    ASSERT_EQ(0, LoadBytes("  [A]  \n"
                           "x = 1\n"
                           "k=a=b\n"
                           "=v\n"
                           "empty=\n"
                           "[Install] ;note\n"
                           "  ;c=1\n"
                           "#x=1\n"
                           "\tt=2\n"
                           "no equals sign\n"
                           "  spaced=  v  \n"));

    EXPECT_EQ(1u, ini.SectionCount());
    EXPECT_FALSE(ini.HasSection(u"Install"));
    EXPECT_FALSE(ini.HasSection(u"Install] ;note"));
    EXPECT_EQ((Names{u"x ", u"k", u"empty", u"#x", u"\tt", u"spaced"}), ValueNames(u"A"));

    EXPECT_EQ(u" 1", ini.GetValue(u"A", u"x "));
    EXPECT_EQ(u"", ini.GetValue(u"A", u"x"));
    EXPECT_EQ(u"a=b", ini.GetValue(u"A", u"k"));
    EXPECT_EQ(u"", ini.GetValue(u"A", u"empty"));
    EXPECT_EQ(u"1", ini.GetValue(u"A", u"#x"));
    EXPECT_EQ(u"2", ini.GetValue(u"A", u"\tt"));
    EXPECT_EQ(u"", ini.GetValue(u"A", u"t"));
    // Whole lines are trimmed of spaces, so only the inner ones stay.
    EXPECT_EQ(u"  v", ini.GetValue(u"A", u"spaced"));
    EXPECT_EQ(u"", ini.GetValue(u"A", u"c"));
    EXPECT_EQ(u"", ini.GetValue(u"A", u""));
}

TEST_F(IniMgrTest, SectionsInFileOrderFirstOneWins) {
    ASSERT_EQ(0, LoadBytes("early=1\n"
                           "[S]\n"
                           "a=1\n"
                           "b=3\n"
                           "a=2\n"
                           "[usb_vid_pid]\n"
                           "Id=7\n"
                           "[S]\n"
                           "c=4\n"
                           "[]\n"
                           "e=5\n"));

    EXPECT_EQ(4u, ini.SectionCount());
    EXPECT_TRUE(ini.HasSection(u"S"));
    // The second [S] cannot be reached.
    EXPECT_EQ((Names{u"a", u"b", u"a"}), ValueNames(u"S"));
    EXPECT_EQ(u"1", ini.GetValue(u"S", u"a"));
    EXPECT_EQ(u"", ini.GetValue(u"S", u"c"));
    EXPECT_EQ(u"", ini.GetValue(u"S", u"early"));

    // Names compare case-sensitively.
    EXPECT_TRUE(ini.HasSection(u"usb_vid_pid"));
    EXPECT_FALSE(ini.HasSection(u"USB_VID_PID"));
    EXPECT_EQ(u"7", ini.GetValue(u"usb_vid_pid", u"Id"));
    EXPECT_EQ(u"", ini.GetValue(u"usb_vid_pid", u"ID"));

    EXPECT_TRUE(ini.HasSection(u""));
    EXPECT_EQ(u"5", ini.GetValue(u"", u"e"));

    // A missing section leaves the caller's vector alone.
    Names names{u"kept"};
    ini.GetValueNames(u"Missing", names);
    EXPECT_EQ(Names{u"kept"}, names);
    EXPECT_EQ(u"", ini.GetValue(u"Missing", u"a"));
}

TEST_F(IniMgrTest, EmptyManagerAnswersNothing) {
    Names names{u"kept"};
    ini.GetValueNames(u"A", names);
    EXPECT_EQ(Names{u"kept"}, names);
    EXPECT_FALSE(ini.HasSection(u""));
    EXPECT_EQ(u"", ini.GetValue(u"A", u"x"));
    EXPECT_EQ(ENCODING_ANSI, ini.encoding());
}

TEST_F(IniMgrTest, LineSplitting) {
    struct Case {
        const char* name;
        std::string bytes;
        Names lines;
    };
    const Case cases[] = {
        {"LF", "[A]\nx=1\n", {u"[A]", u"x=1"}},
        {"CR LF", "[A]\r\nx=1\r\n", {u"[A]", u"x=1"}},
        {"no final line end", "[A]\r\nx=1", {u"[A]", u"x=1"}},
        {"CR only is one line", "[A]\rx=1\r", {u"[A]\rx=1"}},
        {"consecutive LF give no lines", "\n\n[A]\n\n\nx=1\n\n", {u"[A]", u"x=1"}},
        // A blank line is kept as an empty line.
        {"blank line", "[A]\n   \n \r\nx=1", {u"[A]", u"", u"", u"x=1"}},
        {"spaces then CR trimmed", "  [A]\r\n x=1 \r", {u"[A]", u"x=1 "}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, LoadBytes(c.bytes));
        EXPECT_EQ(c.lines, ini.lines());
    }
}

TEST_F(IniMgrTest, CrOnlyFileHasNoSection) {
    ASSERT_EQ(0, LoadBytes("[A]\rx=1\r"));
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_FALSE(ini.HasSection(u"A"));
}

TEST_F(IniMgrTest, CrLfAndLfGiveTheSameSections) {
    ASSERT_EQ(0, LoadBytes("[A]\r\nx=1\r\ny = 2 \r\n[B]\r\nz=3\r\n"));
    const std::u16string crlfY = ini.GetValue(u"A", u"y ");
    ASSERT_EQ(0, LoadBytes("[A]\nx=1\ny = 2 \n[B]\nz=3\n"));
    EXPECT_EQ(u" 2", crlfY);
    EXPECT_EQ(crlfY, ini.GetValue(u"A", u"y "));
    EXPECT_EQ(u"1", ini.GetValue(u"A", u"x"));
    EXPECT_EQ(u"3", ini.GetValue(u"B", u"z"));
}

// Everything a client can see of one loaded file.
struct Snapshot {
    Names lines;
    std::vector<std::pair<std::u16string, Names>> sections;
    std::vector<std::u16string> values;

    bool operator==(const Snapshot& o) const {
        return lines == o.lines && sections == o.sections && values == o.values;
    }
};

Snapshot TakeSnapshot(const CIniMgr& ini, const Names& sectionNames) {
    Snapshot snapshot{ini.lines(), {}, {}};
    for (const std::u16string& section : sectionNames) {
        Names names;
        if (ini.HasSection(section))
            ini.GetValueNames(section, names);
        for (const std::u16string& name : names)
            snapshot.values.push_back(ini.GetValue(section, name));
        snapshot.sections.emplace_back(section, names);
    }
    return snapshot;
}

TEST_F(IniMgrTest, SameAsciiContentInAllSixEncodings) {
    const std::u16string text =
        u"; AudioConfig\r\n[USB_VID_PID]\r\ne1=USB\\VID_3F9C&PID_47XX,abc=\r\ne2 = x\r\n"
        u"\r\n[Folders]\r\nInstallFolderName=QLN47xx Audio\r\n";
    std::string ansi;
    for (char16_t c : text)
        ansi += static_cast<char>(c);

    struct Case {
        const char* name;
        std::string bytes;
        int32_t encoding;
    };
    const Case cases[] = {
        {"ANSI", ansi, ENCODING_ANSI},
        {"UTF-8", AsUtf8WithMark(text), ENCODING_UTF8},
        {"UTF-16LE", AsUtf16(text, false), ENCODING_UTF16LE},
        {"UTF-16BE", AsUtf16(text, true), ENCODING_UTF16BE},
        {"UTF-32LE", AsUtf32(text, false), ENCODING_UTF32LE},
        {"UTF-32BE", AsUtf32(text, true), ENCODING_UTF32BE},
    };
    const Names sections{u"USB_VID_PID", u"Folders"};

    ASSERT_EQ(0, LoadBytes(ansi));
    const Snapshot expected = TakeSnapshot(ini, sections);
    EXPECT_EQ((Names{u"e1", u"e2 "}), expected.sections[0].second);
    EXPECT_EQ(u"QLN47xx Audio", ini.GetValue(u"Folders", u"InstallFolderName"));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, LoadBytes(c.bytes));
        EXPECT_EQ(c.encoding, ini.encoding());
        EXPECT_TRUE(TakeSnapshot(ini, sections) == expected);
    }
}

TEST_F(IniMgrTest, NonAsciiText) {
    struct Case {
        const char* name;
        std::string bytes;
        int32_t encoding;
        std::u16string value;
    };
    const std::u16string cyrillic = u"\u041F\u0440\u0438\u0432\u0435\u0442 \u20AC";
    const Case cases[] = {
        // Bytes above 0x7F are sign-extended, not mapped through a code page.
        {"ANSI high byte",
         "[A]\nv=\xE9"
         "A\x80\n",
         ENCODING_ANSI, u"\uFFE9A\uFF80"},
        {"UTF-8 without mark is ANSI", "[A]\nv=\xC3\xA9\n", ENCODING_ANSI, u"\uFFC3\uFFA9"},
        {"UTF-8 with mark", AsUtf8WithMark(u"[A]\nv=" + cyrillic), ENCODING_UTF8, cyrillic},
        {"UTF-16LE", AsUtf16(u"[A]\nv=" + cyrillic, false), ENCODING_UTF16LE, cyrillic},
        {"UTF-16BE", AsUtf16(u"[A]\nv=" + cyrillic, true), ENCODING_UTF16BE, cyrillic},
        {"UTF-32BE", AsUtf32(u"[A]\nv=" + cyrillic, true), ENCODING_UTF32BE, cyrillic},
        // Units 0x0A0D.. must not be taken for line feeds once the bytes are swapped.
        {"UTF-16BE with 0x0A in low bytes", AsUtf16(u"[A]\nv=\u0A0A\u0D0A", true), ENCODING_UTF16BE,
         u"\u0A0A\u0D0A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, LoadBytes(c.bytes));
        EXPECT_EQ(c.encoding, ini.encoding());
        EXPECT_EQ(c.value, ini.GetValue(u"A", u"v"));
    }
}

TEST_F(IniMgrTest, OddUtf16ByteCountIgnoresTheLastByte) {
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "BE" : "LE");
        ASSERT_EQ(0, LoadBytes(AsUtf16(u"[A]\nv=12", bigEndian) + "3"));
        EXPECT_EQ(u"12", ini.GetValue(u"A", u"v"));
    }
}

TEST_F(IniMgrTest, DecodingFailureClearsTheManager) {
    std::string utf32le7 = AsUtf32(u"[A]\nv=1", false);
    utf32le7.resize(4 + 7);
    std::string utf32be7 = AsUtf32(u"[A]\nv=1", true);
    utf32be7.resize(4 + 7);
    std::string utf16leNulFirst = AsUtf16(std::u16string(1, u'\0') + u"[A]\nv=1\n", false);

    struct Case {
        const char* name;
        std::string bytes;
        int32_t encoding;
    };
    const Case cases[] = {
        {"UTF-32LE, 7 bytes after mark", utf32le7, ENCODING_UTF32LE},
        {"UTF-32BE, 7 bytes after mark", utf32be7, ENCODING_UTF32BE},
        {"UTF-32LE above U+FFFF",
         std::string("\xFF\xFE\0\0"
                     "A\0\0\0"
                     "\x00\xF6\x01\x00",
                     12),
         ENCODING_UTF32LE},
        {"UTF-32BE above U+FFFF",
         std::string("\0\0\xFE\xFF"
                     "\0\0\0A"
                     "\x00\x01\xF6\x00",
                     12),
         ENCODING_UTF32BE},
        {"UTF-8 stray continuation byte", "\xEF\xBB\xBF[A]\nv=\x80\n", ENCODING_UTF8},
        {"UTF-8 bad lead byte FE", "\xEF\xBB\xBF[A]\nv=\xFE\n", ENCODING_UTF8},
        {"UTF-8 bad continuation", "\xEF\xBB\xBF[A]\nv=\xC3(\n", ENCODING_UTF8},
        {"UTF-8 cut at the end", "\xEF\xBB\xBF[A]\nv=\xE2\x82", ENCODING_UTF8},
        {"UTF-8 above U+FFFF", "\xEF\xBB\xBF[A]\nv=\xF0\x9F\x98\x80\n", ENCODING_UTF8},
        // The UTF-32LE mark is tested first: a UTF-16LE file starting with U+0000 is misread.
        {"UTF-16LE starting with U+0000", utf16leNulFirst, ENCODING_UTF32LE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, LoadBytes("[Good]\nk=v\n", u"good.ini"));
        ASSERT_TRUE(ini.HasSection(u"Good"));

        const std::u16string badPath = folder.Write(u"bad.ini", c.bytes);
        EXPECT_EQ(5, ini.Load(badPath));
        EXPECT_EQ(c.encoding, ini.encoding());
        EXPECT_EQ(badPath, ini.path());
        EXPECT_EQ(0u, ini.SectionCount());
        EXPECT_FALSE(ini.HasSection(u"Good"));
        EXPECT_FALSE(ini.HasSection(u"A"));
        EXPECT_EQ(u"", ini.GetValue(u"Good", u"k"));
    }
}

TEST_F(IniMgrTest, UnopenableFileKeepsThePreviousContent) {
    ASSERT_EQ(0, LoadBytes("[Good]\nk=v\n"));
    const std::u16string missing = folder.File(u"missing.ini");
    EXPECT_EQ(1, ini.Load(missing));
    EXPECT_EQ(missing, ini.path());
    EXPECT_EQ(u"v", ini.GetValue(u"Good", u"k"));

    // A folder cannot be opened as a file either.
    EXPECT_EQ(1, ini.Load(folder.path()));
    EXPECT_EQ(u"v", ini.GetValue(u"Good", u"k"));

    EXPECT_EQ(1, ini.Load(folder.File(u"no-such-folder\\x.ini")));
    EXPECT_EQ(u"v", ini.GetValue(u"Good", u"k"));
}

TEST_F(IniMgrTest, ReloadReplacesContentAndClearKeepsEncodingAndPath) {
    const std::u16string first = folder.Write(u"first.ini", AsUtf16(u"[First]\nk=1\n", true));
    const std::u16string second = folder.Write(u"second.ini", "[Second]\nk=2\n");
    ASSERT_EQ(0, ini.Load(first));
    ASSERT_EQ(0, ini.Load(second));
    EXPECT_FALSE(ini.HasSection(u"First"));
    EXPECT_EQ(u"2", ini.GetValue(u"Second", u"k"));
    EXPECT_EQ(ENCODING_ANSI, ini.encoding());

    ASSERT_EQ(0, ini.Load(first));
    ini.Clear();
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_TRUE(ini.lines().empty());
    EXPECT_EQ(ENCODING_UTF16BE, ini.encoding());
    EXPECT_EQ(first, ini.path());
}

TEST(IniDetectEncodingTest, MarksInOrder) {
    struct Case {
        std::string bytes;
        TEXT_ENCODING encoding;
        size_t skipped;
    };
    const Case cases[] = {
        {std::string("\xFF\xFE\0\0", 4), ENCODING_UTF32LE, 4},
        {std::string("\0\0\xFE\xFF", 4), ENCODING_UTF32BE, 4},
        {"\xEF\xBB\xBF", ENCODING_UTF8, 3},
        {"\xEF\xBB\xBFx", ENCODING_UTF8, 3},
        {"\xFF\xFE", ENCODING_UTF16LE, 2},
        // Too short for the UTF-32LE mark.
        {std::string("\xFF\xFE\0", 3), ENCODING_UTF16LE, 2},
        {std::string("\xFF\xFE\0A", 4), ENCODING_UTF16LE, 2},
        {"\xFE\xFF", ENCODING_UTF16BE, 2},
        {std::string("\0\0\xFE", 3), ENCODING_ANSI, 0},
        {"\xEF\xBB", ENCODING_ANSI, 0},
        {"\xFF", ENCODING_ANSI, 0},
        {"", ENCODING_ANSI, 0},
        {"[A]", ENCODING_ANSI, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        const uint8_t* start = reinterpret_cast<const uint8_t*>(c.bytes.data());
        const uint8_t* data = start;
        size_t length = c.bytes.size();
        EXPECT_EQ(c.encoding, CIniMgr::DetectEncoding(data, length));
        EXPECT_EQ(c.skipped, static_cast<size_t>(data - start));
        EXPECT_EQ(c.bytes.size() - c.skipped, length);
    }
}

TEST(IniSectionTest, ParseTrimsRawLinesAndTakesTheHeaderName) {
    CIniSection section;
    section.Parse({u" [Raw] ", u"a=1\r", u"\r", u";b=2", u"c==\n"});
    EXPECT_EQ(u"Raw", section.name);
    Names names{u"stale"};
    section.GetValueNames(names);
    EXPECT_EQ((Names{u"a", u"c"}), names);
    EXPECT_EQ(u"1", section.GetValue(u"a"));
    EXPECT_EQ(u"=", section.GetValue(u"c"));
}

}  // namespace
