// The hotkeys' text in the configuration, and what is registered and reported for the window.
#include <gtest/gtest.h>

#include <map>

#include "HotkeyBindings.h"
#include "TestFiles.h"

namespace {

struct TextCase {
    const char16_t* text;
    Hotkey hotkey;
    const char16_t* written;  // what HotkeyText gives back
};

TEST(HotkeyText, ReadsAndWritesBackTheCombinations) {
    const TextCase cases[] = {
        {u"Ctrl+Alt+M", {kHotkeyCtrl | kHotkeyAlt, 'M'}, u"Ctrl+Alt+M"},
        {u" alt + CTRL + m ", {kHotkeyCtrl | kHotkeyAlt, 'M'}, u"Ctrl+Alt+M"},
        {u"Win+Shift+0", {kHotkeyWin | kHotkeyShift, '0'}, u"Shift+Win+0"},
        {u"Ctrl+Alt+Shift+Win+Z", {0xF, 'Z'}, u"Ctrl+Alt+Shift+Win+Z"},
        {u"F1", {0, 0x70}, u"F1"},
        {u"ctrl+f24", {kHotkeyCtrl, 0x87}, u"Ctrl+F24"},
        {u"Pause", {0, 0x13}, u"Pause"},
        {u"Ctrl+Num7", {kHotkeyCtrl, 0x67}, u"Ctrl+Num7"},
        {u"Alt+pageup", {kHotkeyAlt, 0x21}, u"Alt+PageUp"},
        {u"Shift+Space", {kHotkeyShift, 0x20}, u"Shift+Space"},
        {u"Ctrl+Delete", {kHotkeyCtrl, 0x2E}, u"Ctrl+Delete"},
        {u"", {}, u""},
        {u"   ", {}, u""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        Hotkey hotkey{0xFF, 0xFF};
        ASSERT_TRUE(ParseHotkey(c.text, &hotkey));
        EXPECT_EQ(hotkey, c.hotkey);
        EXPECT_EQ(HotkeyText(hotkey), c.written);
        Hotkey again;
        ASSERT_TRUE(ParseHotkey(HotkeyText(hotkey), &again));
        EXPECT_EQ(again, hotkey);
    }
}

TEST(HotkeyText, RefusesWhatNamesNoUsableCombination) {
    const char16_t* bad[] = {
        u"M",           u"Space",      u"5",                         // a key that needs a modifier
        u"Ctrl+",       u"+M",         u"Ctrl++M",     u"Ctrl+Alt",  // no key
        u"Ctrl+Ctrl+M", u"Hyper+M",    u"Ctrl+M+Alt",  u"Ctrl+MM",    u"Ctrl+F0",     u"Ctrl+F25",
        u"Ctrl+F01",    u"Ctrl+Num10", u"Ctrl+\u00e9", u"Ctrl-Alt-M", u"Ctrl+Alt+M;",
    };
    for (const char16_t* text : bad) {
        SCOPED_TRACE(Narrow(text));
        Hotkey hotkey{kHotkeyAlt, 'Q'};
        EXPECT_FALSE(ParseHotkey(text, &hotkey));
        EXPECT_EQ(hotkey, (Hotkey{kHotkeyAlt, 'Q'})) << "left alone";
    }
    // What the hotkey control can give but the file cannot say has no text.
    EXPECT_EQ(HotkeyText({kHotkeyCtrl, 0xBA}), u"");  // a punctuation key
    EXPECT_EQ(HotkeyText({0, 'M'}), u"");
    EXPECT_EQ(HotkeyText({0x4000 | kHotkeyCtrl, 'M'}), u"");
}

TEST(HotkeyTexts, LabelsNameTheirControlsWithoutMarkOrColon) {
    EXPECT_EQ(ControlNameOfLabel(u"&Microphone mute:"), u"Microphone mute");
    EXPECT_EQ(ControlNameOfLabel(u"Couper le &micro :"), u"Couper le micro");
    EXPECT_EQ(ControlNameOfLabel(u"Bass && &treble"), u"Bass & treble");
    EXPECT_EQ(ControlNameOfLabel(u"Ends in &"), u"Ends in &");
}

class FakeRegistrar : public IHotkeyRegistrar {
public:
    bool Register(int id, const Hotkey& hotkey) override {
        if (hotkey == taken || held.count(id)) {
            return false;
        }
        held[id] = hotkey;
        return true;
    }
    void Unregister(int id) override { held.erase(id); }

    Hotkey taken{kHotkeyCtrl | kHotkeyAlt, 'T'};
    std::map<int, Hotkey> held;
};

HotkeySettings Settings(const char16_t* mute, const char16_t* show) {
    return {SettingOf(mute), SettingOf(show)};
}

TEST(HotkeyBindings, RegistersTheConfiguredOnesAndFindsTheirAction) {
    FakeRegistrar registrar;
    {
        HotkeyBindings bindings(registrar);
        EXPECT_EQ(bindings.Apply(Settings(u"", u""), HotkeyTexts{}), u"");
        EXPECT_TRUE(registrar.held.empty()) << "none by default";

        EXPECT_EQ(bindings.Apply(Settings(u"Ctrl+Alt+M", u"F9"), HotkeyTexts{}), u"");
        ASSERT_EQ(registrar.held.size(), 2u);
        HotkeyAction action{};
        ASSERT_TRUE(bindings.ActionOf(kHotkeyFirstId, &action));
        EXPECT_EQ(action, HotkeyAction::MicMute);
        EXPECT_EQ(registrar.held[kHotkeyFirstId], (Hotkey{kHotkeyCtrl | kHotkeyAlt, 'M'}));
        ASSERT_TRUE(bindings.ActionOf(kHotkeyFirstId + 1, &action));
        EXPECT_EQ(action, HotkeyAction::ShowPanel);
        EXPECT_FALSE(bindings.ActionOf(kHotkeyFirstId + 2, &action));
        EXPECT_FALSE(bindings.ActionOf(1, &action));

        // A new setting replaces the old registration; an emptied one lets its key go.
        EXPECT_EQ(bindings.Apply(Settings(u"Shift+F2", u""), HotkeyTexts{}), u"");
        ASSERT_EQ(registrar.held.size(), 1u);
        EXPECT_EQ(registrar.held[kHotkeyFirstId], (Hotkey{kHotkeyShift, 0x71}));
        EXPECT_FALSE(bindings.ActionOf(kHotkeyFirstId + 1, &action));
    }
    EXPECT_TRUE(registrar.held.empty()) << "let go with the bindings";
}

TEST(HotkeyBindings, ReportsWhatCannotBeUsedOnceInTheGivenLanguage) {
    FakeRegistrar registrar;
    HotkeyBindings bindings(registrar);
    HotkeyTexts texts;
    texts.taken = u"belegt: %1";
    texts.notUnderstood = u"ungueltig: %1";

    const HotkeySettings settings = Settings(u"alt+ctrl+t", u"Ctrl+Hyper+P");
    EXPECT_EQ(bindings.Apply(settings, texts), u"belegt: Ctrl+Alt+T\r\nungueltig: Ctrl+Hyper+P");
    EXPECT_TRUE(registrar.held.empty());
    EXPECT_FALSE(bindings.Registered(HotkeyAction::MicMute));
    // Applied again unchanged (the dialog's OK): nothing new to tell.
    EXPECT_EQ(bindings.Apply(settings, texts), u"");

    // Once usable and then taken again, it is told again.
    const Hotkey taken = registrar.taken;
    registrar.taken = {};
    EXPECT_EQ(bindings.Apply(settings, texts), u"");
    EXPECT_TRUE(bindings.Registered(HotkeyAction::MicMute));
    registrar.taken = taken;
    registrar.held.clear();
    EXPECT_EQ(bindings.Apply(settings, texts), u"belegt: Ctrl+Alt+T");
}

}  // namespace
