#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformHelpers.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(TrimCharTest, RemovesOnlyTheGivenCharacterAtBothEnds) {
    struct Case {
        std::u16string text;
        char16_t c;
        std::u16string trimmed;
    };
    const Case cases[] = {
        {u"   ", u' ', u""},
        {u"", u' ', u""},
        {u" a b ", u' ', u"a b"},
        {u"a", u' ', u"a"},
        {u"\t a \r", u' ', u"\t a \r"},
        {u"  \ta\r  ", u' ', u"\ta\r"},
        {u"\r\r[A]\r", u'\r', u"[A]"},
        {u"xxaxbxx", u'x', u"axb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.text));
        std::u16string text = c.text;
        const std::u16string result = TrimChar(text, c.c);
        EXPECT_EQ(c.trimmed, text);
        EXPECT_EQ(c.trimmed, result);
    }
}

TEST(Utf8SequenceLengthTest, LeadByteRanges) {
    struct Case {
        uint8_t lead;
        int status;
        size_t length;
    };
    const Case cases[] = {
        {0x00, 0, 1}, {0x41, 0, 1}, {0x7F, 0, 1}, {0x80, 1, 0}, {0xBF, 1, 0}, {0xC0, 0, 2},
        {0xDF, 0, 2}, {0xE0, 0, 3}, {0xEF, 0, 3}, {0xF0, 0, 4}, {0xF7, 0, 4}, {0xF8, 0, 5},
        {0xFB, 0, 5}, {0xFC, 0, 6}, {0xFD, 0, 6}, {0xFE, 1, 0}, {0xFF, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.lead));
        size_t length = 0;
        EXPECT_EQ(c.status, Utf8SequenceLength(c.lead, &length));
        if (c.status == 0) {
            EXPECT_EQ(c.length, length);
        }
    }
}

TEST(Utf8DecodeCharTest, CodePointsAndStatuses) {
    struct Case {
        std::string bytes;
        int status;
        size_t length;  // checked on success
        uint32_t codePoint;
    };
    const Case cases[] = {
        {"A", 0, 1, 0x41},
        {"\xC3\xA9", 0, 2, 0xE9},
        {"\xDF\xBF", 0, 2, 0x7FF},
        {"\xE2\x82\xAC", 0, 3, 0x20AC},
        {"\xEF\xBF\xBF", 0, 3, 0xFFFF},
        {"\xF0\x9F\x98\x80", 0, 4, 0x1F600},
        {"\xF4\x8F\xBF\xBF", 0, 4, 0x10FFFF},
        // Overlong forms and surrogates are not rejected.
        {"\xC0\x80", 0, 2, 0x00},
        {"\xED\xA0\x80", 0, 3, 0xD800},
        {"\x80", 1, 0, 0},
        {"\xFE", 1, 0, 0},
        {"\xC3(", 2, 0, 0},
        {"\xE2\x82"
         "A",
         3, 0, 0},
        {"\xE2(\xAC", 3, 0, 0},
        {"\xF0\x9F\x98(", 4, 0, 0},
        {"\xF8\x88\x80\x80"
         "A",
         5, 0, 0},
        {"\xFC\x84\x80\x80\x80"
         "A",
         6, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        const std::vector<uint8_t> bytes = Bytes(c.bytes);
        uint8_t out[4] = {0, 0, 0, 0};
        size_t length = 0;
        EXPECT_EQ(c.status, Utf8DecodeChar(bytes.data(), out, &length));
        if (c.status != 0)
            continue;
        EXPECT_EQ(c.length, length);
        const uint32_t value =
            out[0] | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24;
        EXPECT_EQ(c.codePoint, value);
    }
}

TEST(Utf8DecodeCharTest, LongSequencesDecodeAboveTheBmp) {
    for (const std::string& s :
         {std::string("\xF8\x88\x80\x80\x80"), std::string("\xFC\x84\x80\x80\x80\x80")}) {
        const std::vector<uint8_t> bytes = Bytes(s);
        uint8_t out[4] = {0, 0, 0, 0};
        size_t length = 0;
        ASSERT_EQ(0, Utf8DecodeChar(bytes.data(), out, &length));
        EXPECT_EQ(s.size(), length);
        EXPECT_GT(out[0] | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24,
                  0xFFFFu);
    }
}

TEST(Utf8DecodeCharTest, WithoutOutputOnlyTheLeadByteIsChecked) {
    const std::vector<uint8_t> bad = Bytes("\xC3(");
    size_t length = 0;
    EXPECT_EQ(0, Utf8DecodeChar(bad.data(), nullptr, &length));
    EXPECT_EQ(2u, length);
    const std::vector<uint8_t> stray = Bytes("\x80");
    EXPECT_EQ(1, Utf8DecodeChar(stray.data(), nullptr, &length));
}

TEST(Utf8ToUcs4Test, DecodesAndCounts) {
    const std::vector<uint8_t> bytes = Bytes("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
    size_t count = 99;
    ASSERT_EQ(0, Utf8ToUcs4(bytes.data(), bytes.size(), nullptr, &count));
    EXPECT_EQ(5u, count);

    std::vector<uint32_t> out(count, 0xDEADBEEF);
    ASSERT_EQ(0, Utf8ToUcs4(bytes.data(), bytes.size(), out.data(), &count));
    EXPECT_EQ((std::vector<uint32_t>{0x61, 0xE9, 0x20AC, 0x1F600, 0x7A}), out);
}

TEST(Utf8ToUcs4Test, EmptyRangeIsZeroCodePoints) {
    size_t count = 99;
    uint32_t out[1] = {0};
    EXPECT_EQ(0, Utf8ToUcs4(nullptr, 0, nullptr, &count));
    EXPECT_EQ(0u, count);
    count = 99;
    EXPECT_EQ(0, Utf8ToUcs4(nullptr, 0, out, &count));
    EXPECT_EQ(0u, count);
}

TEST(Utf8ToUcs4Test, InvalidSequencesGive2) {
    struct Case {
        const char* name;
        std::string bytes;
        bool failsWhenCounting;
    };
    const Case cases[] = {
        {"cut three-byte sequence at the end", "ab\xE2\x82", true},
        {"cut four-byte sequence at the end", "\xF0\x9F\x98", true},
        {"lead byte alone at the end", "\xC3", true},
        {"stray continuation byte", "a\x80z", true},
        {"FF", "\xFF", true},
        // Continuation bytes are only looked at when decoding into an output.
        {"bad continuation", "\xC3(", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = Bytes(c.bytes);
        size_t count = 0;
        EXPECT_EQ(c.failsWhenCounting ? 2 : 0,
                  Utf8ToUcs4(bytes.data(), bytes.size(), nullptr, &count));
        std::vector<uint32_t> out(bytes.size() + 1);
        EXPECT_EQ(2, Utf8ToUcs4(bytes.data(), bytes.size(), out.data(), &count));
    }
}

TEST(Ucs4ToUtf16Test, NarrowsTheBmpAndRejectsAboveIt) {
    const uint32_t bmp[] = {0x41, 0xE9, 0xD800, 0xFFFF};
    char16_t out[4] = {};
    size_t count = 0;
    ASSERT_EQ(0, Ucs4ToUtf16(bmp, 4, out, &count));
    EXPECT_EQ(4u, count);
    EXPECT_EQ(u"A\u00E9", std::u16string(out, 2));
    EXPECT_EQ(0xD800, out[2]);
    EXPECT_EQ(0xFFFF, out[3]);

    const uint32_t above[] = {0x41, 0x10000};
    EXPECT_EQ(1, Ucs4ToUtf16(above, 2, out, &count));
    // Counting alone tests nothing.
    count = 0;
    EXPECT_EQ(0, Ucs4ToUtf16(above, 2, nullptr, &count));
    EXPECT_EQ(2u, count);
}

TEST(Utf8ToUtf16Test, Converts) {
    const std::vector<uint8_t> bytes = Bytes("[A]\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD");
    size_t count = 0;
    ASSERT_EQ(0, Utf8ToUtf16(bytes.data(), bytes.size(), nullptr, &count));
    ASSERT_EQ(6u, count);
    std::u16string out(count, u'\0');
    ASSERT_EQ(0, Utf8ToUtf16(bytes.data(), bytes.size(), &out[0], &count));
    EXPECT_EQ(6u, count);
    EXPECT_EQ(u"[A]\u00E9\u20AC\u4E2D", out);

    count = 99;
    EXPECT_EQ(0, Utf8ToUtf16(nullptr, 0, nullptr, &count));
    EXPECT_EQ(0u, count);
}

TEST(Utf8ToUtf16Test, FailureStatusNamesTheStep) {
    struct Case {
        const char* name;
        std::string bytes;
        int countingStatus;  // without an output
        int convertingStatus;
    };
    const Case cases[] = {
        {"stray 80", "\x80", 1, 1},
        {"FE", "a\xFE", 1, 1},
        {"cut at the end", "\xE2\x82", 1, 1},
        {"bad continuation found when decoding", "\xC3(", 3, 3},
        // Only the writing pass sees a character above U+FFFF.
        {"U+1F600", "\xF0\x9F\x98\x80", 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = Bytes(c.bytes);
        size_t count = 0;
        EXPECT_EQ(c.countingStatus, Utf8ToUtf16(bytes.data(), bytes.size(), nullptr, &count));
        std::u16string out(bytes.size() + 1, u'\0');
        EXPECT_EQ(c.convertingStatus, Utf8ToUtf16(bytes.data(), bytes.size(), &out[0], &count));
    }
}

TEST(SwapBytesTest, ReversesEachUnit) {
    uint16_t units16[] = {0x1234, 0xFEFF, 0x00AB};
    SwapBytes16(units16, 3);
    EXPECT_EQ(0x3412, units16[0]);
    EXPECT_EQ(0xFFFE, units16[1]);
    EXPECT_EQ(0xAB00, units16[2]);

    uint32_t units32[] = {0x12345678, 0x0000FEFF, 0xFF000001};
    SwapBytes32(units32, 2);
    EXPECT_EQ(0x78563412u, units32[0]);
    EXPECT_EQ(0xFFFE0000u, units32[1]);
    EXPECT_EQ(0xFF000001u, units32[2]);  // beyond the count

    SwapBytes16(nullptr, 0);
    SwapBytes32(nullptr, 0);
}

}  // namespace
