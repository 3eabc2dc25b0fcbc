// The main window as a screen reader reads it, with the product's languages: roles, names in the
// chosen language, values as the panel shows them, states, places and default actions; and what
// a reader is told when the description changes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "AccessEvents.h"
#include "Describe.h"
#include "IntoAppearance.h"
#include "LanguageStyles.h"
#include "TestFiles.h"
#include "UiFixture.h"
#include "WholeRepaint.h"

namespace {

class AccessTest : public UiTest {
protected:
    AccessTest() { Start(); }

    void UseLanguageFile(const std::u16string& file) {
        LanguageStyles styles;
        LoadLanguage(strings, file, styles);
        PutLanguageStyles(styles, look);
        RepaintLabels(window);
        names = AccessibleNames();
        names.Load(strings, file);
    }
    void UseLanguage(const std::string& folder) {
        UseLanguageFile(SourcePath("product/Language/" + folder + "/Language.ini"));
    }

    std::vector<Control*> Order(std::initializer_list<const char*> controls) {
        std::vector<Control*> order;
        for (const char* name : controls) {
            order.push_back(&Get(name));
        }
        return order;
    }
    std::vector<AccessibleItem> Describe(const std::vector<Control*>& order,
                                         const Control* focused = nullptr) {
        return DescribeWindow({window.GetScene(), state, skin, names}, order, focused);
    }
    static const AccessibleItem& Item(const std::vector<AccessibleItem>& items,
                                      const std::string& name) {
        for (const AccessibleItem& item : items) {
            if (item.control->name == name) {
                return item;
            }
        }
        ADD_FAILURE() << "no item " << name;
        static const AccessibleItem none;
        return none;
    }

    IProfileStrings& strings = PlatformProfileStrings();
    AccessibleNames names;
};

struct Expected {
    const char* control;
    AccessRole role;
    const char16_t* name;
    const char16_t* value;
    uint32_t states;
    const char16_t* action;
};

void ExpectItems(const std::vector<AccessibleItem>& items, const std::vector<Expected>& expected) {
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const AccessibleItem& item = items[i];
        SCOPED_TRACE(e.control);
        EXPECT_EQ(item.control->name, e.control);
        EXPECT_EQ(item.role, e.role);
        EXPECT_EQ(item.name, e.name);
        EXPECT_EQ(item.value, e.value);
        EXPECT_EQ(item.states, e.states);
        EXPECT_EQ(item.defaultAction, e.action);
    }
}

constexpr uint32_t kF = kAccessFocusable;

TEST_F(AccessTest, EqPageInEnglishAndGerman) {
    state.eqEnabled = 1;
    state.currentPreset = 2;
    const auto order =
        Order({"EQEQENImage", "EQ3DENImage", "EQResetImage", "EQS1Image", "EQS2Image",
               "EQ60HzSliderImage", "PageEQLabel", "PageMicLabel", "CloseImage", "LEDImage"});
    UseLanguage("English");
    RepaintLabels(window);  // the preset's name beside "Current preset:"
    ExpectItems(
        Describe(order, &Get("EQS2Image")),
        {
            {"EQEQENImage", AccessRole::CheckButton, u"Equalizer", u"", kF | kAccessChecked,
             u"Uncheck"},
            {"EQ3DENImage", AccessRole::CheckButton, u"3D Sound", u"", kF, u"Check"},
            {"EQResetImage", AccessRole::PushButton, u"Reset", u"", kF, u"Press"},
            {"EQS1Image", AccessRole::RadioButton, u"Preset 1", u"", kF, u"Select"},
            {"EQS2Image", AccessRole::RadioButton, u"Preset 2", u"",
             kF | kAccessChecked | kAccessFocused, u"Select"},
            // Flat: the gain 0x400 reads as 0 dB.
            {"EQ60HzSliderImage", AccessRole::Slider, u"60Hz", u"0 dB", kF, u""},
            {"PageEQLabel", AccessRole::PageTab, u"EQ", u"", kF | kAccessSelected, u"Switch"},
            {"PageMicLabel", AccessRole::PageTab, u"Microphone", u"", kF, u"Switch"},
            {"CloseImage", AccessRole::PushButton, u"Close", u"", kF, u"Press"},
            {"LEDImage", AccessRole::CheckButton, u"LED", u"", kF | kAccessChecked, u"Uncheck"},
            {"DeviceActiveLabel", AccessRole::StaticText, u"Connected", u"", 0, u""},
            {"SettingLabel", AccessRole::StaticText, u"Current preset:", u"Preset 2", 0, u""},
        });

    UseLanguage("German");
    RepaintLabels(window);
    const auto german = Describe(order);
    EXPECT_EQ(Item(german, "EQResetImage").name, u"Zur\u00fccksetzen");
    EXPECT_EQ(Item(german, "EQResetImage").defaultAction, u"Dr\u00fccken");
    EXPECT_EQ(Item(german, "EQS1Image").name, u"Profil 1");
    EXPECT_EQ(Item(german, "PageMicLabel").name, u"Mikrofon");
    EXPECT_EQ(Item(german, "CloseImage").name, u"Schlie\u00dfen");
    EXPECT_EQ(Item(german, "EQEQENImage").defaultAction, u"Ausschalten");
    EXPECT_EQ(Item(german, "SettingLabel").value, u"Profil 2");
}

TEST_F(AccessTest, ValuesFollowWhatThePanelShows) {
    UseLanguage("English");
    // An EQ slider dragged up reads its new gain in decibels, dragged down a negative one.
    const Point at = Centre("EQ60HzSliderImage");
    window.MouseDown(MouseButton::Left, at);
    window.MouseMove({at.x, at.y - 30});
    window.MouseUp(MouseButton::Left, {at.x, at.y - 30});
    const std::u16string up =
        Item(Describe(Order({"EQ60HzSliderImage"})), "EQ60HzSliderImage").value;
    EXPECT_EQ(up.front(), u'+') << std::string(up.begin(), up.end());
    EXPECT_EQ(up.substr(up.size() - 3), u" dB");
    const Point raised = Centre("EQ60HzSliderImage");
    window.MouseDown(MouseButton::Left, raised);
    window.MouseMove({raised.x, raised.y + 60});
    window.MouseUp(MouseButton::Left, {raised.x, raised.y + 60});
    EXPECT_EQ(Item(Describe(Order({"EQ60HzSliderImage"})), "EQ60HzSliderImage").value.front(),
              u'-');

    // Mic page: the slider named by the gain label, the level meter as a progress bar over its
    // whole length, mute checked.
    window.ShowPage(PAGE_MIC);
    state.micMute = 1;
    window.SetLevelBarWidth(skin.micProgressLength / 2 + 1);
    const auto mic = Describe(Order({"MicMuteImage", "MicSliderImage"}));
    EXPECT_EQ(Item(mic, "MicSliderImage").name, u"Volume");
    EXPECT_EQ(Item(mic, "MicSliderImage").value, Get("MicValueLabel").caption);
    EXPECT_EQ(Item(mic, "MicMuteImage").states, kF | kAccessChecked);
    const AccessibleItem& meter = Item(mic, "MicProgressImage");
    EXPECT_EQ(meter.role, AccessRole::ProgressBar);
    EXPECT_EQ(meter.name, u"Microphone level");
    EXPECT_EQ(meter.value, u"50%");
    EXPECT_EQ(meter.bounds.width, skin.micProgressLength);
    EXPECT_EQ(meter.states, 0u);  // informs, takes no focus

    // 3D page: the link button's value is the mode in force; its place is in window pixels.
    window.ShowPage(PAGE_3D);
    const auto order3d = Order({"D3AlphaImage", "D3LAlphaSliderImage"});
    EXPECT_EQ(Item(Describe(order3d), "D3AlphaImage").value, u"Independent");
    Click("D3AlphaImage");  // -1 to 0: independent still
    Click("D3AlphaImage");
    const auto linked = Describe(order3d);
    EXPECT_EQ(Item(linked, "D3AlphaImage").value, u"Linked");
    EXPECT_EQ(Item(linked, "D3LAlphaSliderImage").name, u"Left alpha");
    EXPECT_EQ(Item(linked, "D3LAlphaSliderImage").value, Get("D3LAlphaValueLabel").caption);
    const Rect notebook = window.GetScene().Notebook()->bounds;
    const Rect link = Get("D3AlphaImage").bounds;
    EXPECT_EQ(Item(linked, "D3AlphaImage").bounds.left, notebook.left + link.left);
    EXPECT_EQ(Item(linked, "D3AlphaImage").bounds.top, notebook.top + link.top);

    // Virtual page: speakers are graphics with their own names.
    window.ShowPage(PAGE_VIRTUAL);
    const auto speakers = Describe(Order({"VirtualLImage", "VirtualSUBImage"}));
    EXPECT_EQ(Item(speakers, "VirtualLImage").role, AccessRole::Graphic);
    EXPECT_EQ(Item(speakers, "VirtualLImage").name, u"Front left speaker");
    EXPECT_EQ(Item(speakers, "VirtualSUBImage").name, u"Subwoofer");
}

TEST_F(AccessTest, NamesFallBackToBuiltInEnglish) {
    TempFolder folder;
    const std::u16string file = folder.File(u"Language.ini");
    {
        // A label text, and one name of the section: the rest is built in.
        std::ofstream(HostFsPath(file)) << "[Main]\r\nLabelMenu1=Sichern\r\n"
                                           "[Accessibility]\r\nMinimizeImage=Minimieren\r\n"
                                           "CloseImage=\r\n";
    }
    UseLanguageFile(file);
    const auto items = Describe(Order({"Menu1Image", "MinimizeImage", "CloseImage", "LEDImage"}));
    EXPECT_EQ(Item(items, "Menu1Image").name, u"Sichern");
    EXPECT_EQ(Item(items, "MinimizeImage").name, u"Minimieren");
    EXPECT_EQ(Item(items, "CloseImage").name, u"Close");  // an empty value is no name
    EXPECT_EQ(Item(items, "LEDImage").name, u"LED");
    EXPECT_EQ(Item(items, "LEDImage").defaultAction, u"Uncheck");
    // No file at all: every built-in name.
    names.Load(strings, folder.File(u"Missing.ini"));
    EXPECT_EQ(names.Of("VirtualRBImage"), u"Back right speaker");
    EXPECT_EQ(names.Of("NoSuchRow"), u"");
}

// A control that a reader reaches and that no label names reads as nothing, unless its row
// carries a name: a new captionless button without one fails here.
TEST_F(AccessTest, EveryControlAReaderReachesHasAName) {
    for (const char* language : {"English", "German", "French", "Spanish"}) {
        UseLanguage(language);
        for (const Control& c : window.GetScene().Controls()) {
            switch (c.role) {
                case Role::PushButton:
                case Role::Toggle:
                case Role::Indicator:
                case Role::Selector:
                case Role::ModeButton:
                case Role::Slider:
                case Role::Speaker:
                case Role::LevelMeter:
                    break;
                case Role::PageTab:
                    if (c.name != std::string("Page3DLabel")) {  // empty: the tab stays hidden
                        break;
                    }
                    continue;
                default:
                    continue;
            }
            EXPECT_NE(DescribeControl({window.GetScene(), state, skin, names}, c).name, u"")
                << language << ": " << c.name;
        }
    }
}

TEST(AccessEvents, ChangesBetweenTwoDescriptions) {
    Control a, b, c;
    const auto item = [](const Control& control, const char16_t* name, const char16_t* value,
                         uint32_t states) {
        AccessibleItem i;
        i.control = &control;
        i.name = name;
        i.value = value;
        i.states = states;
        return i;
    };
    using E = AccessEvent;
    using K = AccessEventKind;
    const std::vector<AccessibleItem> before = {item(a, u"A", u"1", 0),
                                                item(b, u"B", u"", kAccessFocused)};
    const struct {
        const char* what;
        std::vector<AccessibleItem> after;
        std::vector<AccessEvent> events;
    } cases[] = {
        {"nothing changed", before, {}},
        {"a value",
         {item(a, u"A", u"2", 0), item(b, u"B", u"", kAccessFocused)},
         {E{K::ValueChange, 1}}},
        {"checked, name",
         {item(a, u"A2", u"1", kAccessChecked), item(b, u"B", u"", kAccessFocused)},
         {E{K::NameChange, 1}, E{K::StateChange, 1}}},
        {"the focus moved",
         {item(a, u"A", u"1", kAccessFocused), item(b, u"B", u"", 0)},
         {E{K::Focus, 1}}},
        {"another page, focus kept",
         {item(c, u"C", u"", 0), item(b, u"B", u"", kAccessFocused)},
         {E{K::Reorder, 0}}},
        {"another page, focus on a new child",
         {item(c, u"C", u"", kAccessFocused)},
         {E{K::Reorder, 0}, E{K::Focus, 1}}},
        {"the focus gone", {item(a, u"A", u"1", 0), item(b, u"B", u"", 0)}, {}},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(CompareDescriptions(before, test.after), test.events) << test.what;
    }
}

}  // namespace
