// The tray menu built from the presentation's model, read back without showing it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "PopupMenuWin32.h"
#include "TestFiles.h"

namespace {

std::u16string ItemText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

bool Checked(HMENU menu, int position) {
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0;
}

// What the presentation gives, with the item the simulator build appends.
std::vector<MenuItem> PanelMenu() {
    return {
        {u"LanguageMenu",
         u"Language",
         false,
         {{u"", u"Deutsch", false, {}},
          {u"", u"English", true, {}},
          {u"", u"\u65e5\u672c\u8a9e", false, {}}}},
        {u"SkinMenu", u"Skin", false, {{u"", u"Aurora", false, {}}, {u"", u"Graphite", true, {}}}},
        {u"CloseMenu", u"Close", false, {}},
        {u"SimPlugMenu", u"Unplug headset", true, {}},
    };
}

class BuildMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        menu_ = BuildMenu(PanelMenu(), commands_);
        ASSERT_TRUE(menu_);
    }

    // What choosing the item at position would report.
    MenuPick Pick(HMENU menu, int position) const {
        const UINT id = GetMenuItemID(menu, position);
        EXPECT_NE(id, 0u);
        EXPECT_NE(id, static_cast<UINT>(-1));
        if (id == 0 || id > commands_.size())
            return {u"<bad id>", -2};
        return commands_[id - 1];
    }

    UniqueMenu menu_;
    std::vector<MenuPick> commands_;
};

TEST_F(BuildMenuTest, TopLevelOrderCaptionsAndSubmenus) {
    HMENU menu = menu_.get();
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    const char16_t* captions[] = {u"Language", u"Skin", u"Close", u"Unplug headset"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ItemText(menu, i), captions[i]) << "item " << i;

    HMENU languages = GetSubMenu(menu, 0);
    HMENU skins = GetSubMenu(menu, 1);
    ASSERT_NE(languages, nullptr);
    ASSERT_NE(skins, nullptr);
    EXPECT_EQ(GetSubMenu(menu, 2), nullptr);
    EXPECT_EQ(GetMenuItemCount(languages), 3);
    EXPECT_EQ(GetMenuItemCount(skins), 2);
    EXPECT_EQ(ItemText(languages, 2), u"\u65e5\u672c\u8a9e");
    EXPECT_EQ(ItemText(skins, 0), u"Aurora");
}

TEST_F(BuildMenuTest, CheckMarksFollowTheModel) {
    HMENU languages = GetSubMenu(menu_.get(), 0);
    HMENU skins = GetSubMenu(menu_.get(), 1);
    EXPECT_FALSE(Checked(languages, 0));
    EXPECT_TRUE(Checked(languages, 1));
    EXPECT_FALSE(Checked(languages, 2));
    EXPECT_FALSE(Checked(skins, 0));
    EXPECT_TRUE(Checked(skins, 1));
    EXPECT_FALSE(Checked(menu_.get(), 2));
    EXPECT_TRUE(Checked(menu_.get(), 3));
}

TEST_F(BuildMenuTest, EachCommandNamesItsTopItemAndSubmenuIndex) {
    HMENU languages = GetSubMenu(menu_.get(), 0);
    HMENU skins = GetSubMenu(menu_.get(), 1);
    struct Expected {
        HMENU menu;
        int position;
        std::u16string name;
        int subIndex;
    };
    const Expected expected[] = {
        {languages, 0, u"LanguageMenu", 0},   {languages, 2, u"LanguageMenu", 2},
        {skins, 1, u"SkinMenu", 1},           {menu_.get(), 2, u"CloseMenu", -1},
        {menu_.get(), 3, u"SimPlugMenu", -1},
    };
    for (const Expected& e : expected) {
        const MenuPick pick = Pick(e.menu, e.position);
        EXPECT_EQ(pick.name, e.name) << Narrow(e.name) << " " << e.position;
        EXPECT_EQ(pick.subIndex, e.subIndex) << Narrow(e.name) << " " << e.position;
    }
    // One command per leaf.
    EXPECT_EQ(commands_.size(), 3u + 2u + 1u + 1u);
}

TEST(BuildMenu, EmptySubmenuBecomesACommandOfItsOwn) {
    // No language folders found: the item still shows and reports itself.
    std::vector<MenuPick> commands;
    UniqueMenu menu = BuildMenu({{u"LanguageMenu", u"Language", false, {}}}, commands);
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetSubMenu(menu.get(), 0), nullptr);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, u"LanguageMenu");
    EXPECT_EQ(commands[0].subIndex, -1);
}

}  // namespace
