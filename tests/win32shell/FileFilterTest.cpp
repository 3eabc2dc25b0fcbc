// The dialogs' filter in the Win32 form: parts ended by NUL, the list by a second NUL.
#include <gtest/gtest.h>

#include <string>

#include "FileFilter.h"

using namespace std::string_literals;

namespace {

struct FilterCase {
    std::u16string filter;
    std::wstring expected;
};

TEST(ToWin32Filter, PairsBecomeNulSeparatedParts) {
    const FilterCase cases[] = {
        {u"INI (*.ini)|*.ini", L"INI (*.ini)\0*.ini\0\0"s},
        {u"INI (*.ini)|*.ini|All (*.*)|*.*", L"INI (*.ini)\0*.ini\0All (*.*)\0*.*\0\0"s},
        {u"INI (*.ini)|*.ini|", L"INI (*.ini)\0*.ini\0\0"s},
        {u"Profil (*.ini)|*.ini;*.cfg", L"Profil (*.ini)\0*.ini;*.cfg\0\0"s},
        {u"", L""s},
    };
    for (const FilterCase& c : cases) {
        const std::wstring converted = ToWin32Filter(c.filter);
        EXPECT_EQ(converted, c.expected) << "filter of " << c.filter.size() << " characters";
    }
}

TEST(ToWin32Filter, KeepsNonLatinDescriptions) {
    EXPECT_EQ(ToWin32Filter(u"\u8a2d\u5b9a (*.ini)|*.ini"), L"\u8a2d\u5b9a (*.ini)\0*.ini\0\0"s);
}

}  // namespace
