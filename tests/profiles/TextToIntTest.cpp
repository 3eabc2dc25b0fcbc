// The standard number conversion behind profile, skin and language values.
#include <gtest/gtest.h>

#include "PanelError.h"
#include "TestFiles.h"

namespace {

TEST(TextToInt, AcceptsDecimalAndHexadecimal) {
    const struct {
        const char16_t* text;
        int32_t value;
    } cases[] = {
        {u"0", 0},
        {u"1024", 1024},
        {u"-5", -5},
        {u"+7", 7},
        {u"  12", 12},
        {u"0x400", 0x400},
        {u"0XfF", 255},
        {u"$1F", 31},
        {u"0x0", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},
        {u"0xFFFFFFFF", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        EXPECT_EQ(TextToInt(c.text), c.value);
    }
}

TEST(TextToInt, RejectsEverythingElseWithTheStandardMessage) {
    const char16_t* bad[] = {u"",    u" ",   u"loud",       u"12 ",         u"1.5",  u"0x",    u"$",
                             u"--1", u"1,2", u"2147483648", u"0x100000000", u"0x-1", u"\u0661"};
    for (const char16_t* text : bad) {
        SCOPED_TRACE(Narrow(text));
        try {
            TextToInt(text);
            ADD_FAILURE() << "accepted";
        } catch (const PanelError& e) {
            EXPECT_EQ(e.text(), u"'" + std::u16string(text) + u"' is not a valid integer value");
        }
    }
}

}  // namespace
