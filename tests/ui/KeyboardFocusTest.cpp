// The keyboard: the focus order of every page, Tab and page keys, and each key against the
// pointer action it stands for, compared on the simulated headset's trace.
#include "KeyboardFocus.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlTags.h"
#include "SliderKeys.h"
#include "UiFixture.h"

namespace {

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false};
constexpr KeyModifiers kCtrl{false, true};
constexpr KeyModifiers kCtrlShift{true, true};

// The window's own, after every page's controls.
const std::vector<std::string> kWindowOwn = {
    "PageEQLabel", "PageEffectLabel", "PageMicLabel", "PageVirtual7p1Label", "LEDImage",
    "Menu1Image",  "Menu2Image",      "Menu3Image",   "MinimizeImage",       "CloseImage"};

class KeyboardFocusTest : public UiTest {
protected:
    std::vector<std::string> OrderNames() {
        std::vector<std::string> names;
        for (const Control* c : focus.Order()) {
            names.push_back(c->name);
        }
        return names;
    }
    std::string FocusedName() {
        const Control* c = focus.Focused();
        return c ? c->name : "(none)";
    }
    void FocusOn(const char* name) { ASSERT_TRUE(focus.SetFocus(&Get(name))) << name; }

    KeyboardFocus focus{window};
};

TEST_F(KeyboardFocusTest, EachPageReadsInRowsThenTheWindowsOwn) {
    Start();
    const struct {
        int page;
        std::vector<std::string> controls;
    } pages[] = {
        {PAGE_EQ,
         {"EQEQENImage", "EQ3DENImage", "EQResetImage", "EQS1Image", "EQS2Image", "EQS3Image",
          "EQS4Image", "EQ60HzSliderImage", "EQ300HzSliderImage", "EQ1200HzSliderImage",
          "EQ3600HzSliderImage", "EQ12000HzSliderImage"}},
        // The sliders' travels make one row with the link buttons between them.
        {PAGE_3D,
         {"D3FBMImage", "D3ResetImage", "D3LBetaSliderImage", "D3LAlphaSliderImage", "D3AlphaImage",
          "D3BetaImage", "D3RAlphaSliderImage", "D3RBetaSliderImage"}},
        {PAGE_EFFECT,
         {"EffectButtonNonImage", "EffectButtonTheaterImage", "EffectButtonBathroomImage",
          "EffectButtonLivingroomImage", "EffectButtonStoneGalleryImage"}},
        {PAGE_MIC, {"MicBoostImage", "MicMuteImage", "MicSliderImage"}},
        // The speakers in their channels' order, wherever they stand.
        {PAGE_VIRTUAL,
         {"VirtualEnableImage", "VirtualClockwiseImage", "VirtualCounterclockwiseImage",
          "VirtualResetImage", "VirtualLImage", "VirtualRImage", "VirtualCImage", "VirtualSUBImage",
          "VirtualLSImage", "VirtualRSImage", "VirtualLBImage", "VirtualRBImage"}},
    };
    for (const auto& p : pages) {
        window.GetScene().SetPage(p.page);
        std::vector<std::string> expected = p.controls;
        expected.insert(expected.end(), kWindowOwn.begin(), kWindowOwn.end());
        EXPECT_EQ(OrderNames(), expected) << "page " << p.page;
    }
}

// Sliders and speakers keep their place in the order wherever they stand.
TEST_F(KeyboardFocusTest, MovedSlidersAndSpeakersKeepTheirPlace) {
    Start();
    const std::vector<std::string> eq = OrderNames();
    Get("EQ60HzSliderImage").bounds.top = skin.eqTop0;
    Get("EQ12000HzSliderImage").bounds.top = skin.eqTop0 + skin.sliderTravel;
    EXPECT_EQ(OrderNames(), eq);

    window.GetScene().SetPage(PAGE_VIRTUAL);
    const std::vector<std::string> virtual71 = OrderNames();
    std::swap(Get("VirtualCImage").bounds, Get("VirtualRBImage").bounds);
    EXPECT_EQ(OrderNames(), virtual71);
}

TEST_F(KeyboardFocusTest, TabWrapsBothWaysAndSkipsHiddenAndDisabledControls) {
    Start();
    EXPECT_EQ(FocusedName(), "EQEQENImage");  // the first of the order from the start
    EXPECT_TRUE(focus.OnKey(NavKey::Tab, kShift));
    EXPECT_EQ(FocusedName(), "CloseImage");
    EXPECT_TRUE(focus.OnKey(NavKey::Tab, kNone));
    EXPECT_EQ(FocusedName(), "EQEQENImage");

    Get("EQResetImage").visible = false;
    Get("EQS1Image").enabled = false;
    Get("SyncImage").visible = true;  // an indicator takes the focus while shown
    focus.OnKey(NavKey::Tab, kNone);
    EXPECT_EQ(FocusedName(), "EQ3DENImage");
    focus.OnKey(NavKey::Tab, kNone);
    EXPECT_EQ(FocusedName(), "EQS2Image");
    FocusOn("LEDImage");
    focus.OnKey(NavKey::Tab, kNone);
    EXPECT_EQ(FocusedName(), "SyncImage");
    focus.OnKey(NavKey::Tab, kNone);
    EXPECT_EQ(FocusedName(), "Menu1Image");

    // What cannot take the focus is refused and the focus stays.
    const uint32_t serial = focus.FocusSerial();
    for (const char* name : {"EQResetImage", "EQS1Label", "EQ60HzBarImage", "MicMuteImage",
                             "Page3DLabel", "MainFormImage"}) {
        EXPECT_FALSE(focus.SetFocus(&Get(name))) << name;
    }
    EXPECT_EQ(FocusedName(), "Menu1Image");
    EXPECT_EQ(focus.FocusSerial(), serial);
    focus.OnKey(NavKey::Tab, kShift);
    EXPECT_NE(focus.FocusSerial(), serial);
}

TEST_F(KeyboardFocusTest, PageKeysSkipTheHiddenTabWrapAndLeaveTheFocusOnTheTab) {
    Start();
    const struct {
        NavKey key;
        KeyModifiers modifiers;
        int page;
    } steps[] = {
        {NavKey::Tab, kCtrl, PAGE_EFFECT},       {NavKey::Tab, kCtrl, PAGE_MIC},
        {NavKey::PageDown, kCtrl, PAGE_VIRTUAL}, {NavKey::Tab, kCtrl, PAGE_EQ},
        {NavKey::Tab, kCtrlShift, PAGE_VIRTUAL}, {NavKey::PageUp, kCtrl, PAGE_MIC},
        {NavKey::PageUp, kCtrl, PAGE_EFFECT},    {NavKey::PageUp, kCtrl, PAGE_EQ},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(focus.OnKey(s.key, s.modifiers));
        EXPECT_EQ(window.GetScene().Page(), s.page);
        EXPECT_EQ(focus.Focused()->tag, TAG_PAGE_EQ + s.page);
    }
    EXPECT_TRUE(host.messages.empty());
}

// Two quick Ctrl+Tabs: the second is handled in the first's page switch, and wins.
TEST_F(KeyboardFocusTest, APageKeyHandledInAnotherSwitchWins) {
    Start();
    host.onPump = [this] { focus.OnKey(NavKey::Tab, kCtrl); };
    focus.OnKey(NavKey::Tab, kCtrl);
    EXPECT_EQ(window.GetScene().Page(), PAGE_MIC);
    EXPECT_EQ(FocusedName(), "PageMicLabel");
}

TEST_F(KeyboardFocusTest, AFocusedControlThatGoesHandsTheFocusToTheFirst) {
    Start();
    FocusOn("EQS3Image");
    Click("PageMicLabel");  // the pointer changes the page under the focus
    EXPECT_EQ(FocusedName(), "MicBoostImage");
    FocusOn("MicMuteImage");
    Get("MicMuteImage").visible = false;
    EXPECT_EQ(FocusedName(), "MicBoostImage");
    // The window's own stay focused across pages.
    FocusOn("PageMicLabel");
    Click("PageEQLabel");
    EXPECT_EQ(FocusedName(), "PageMicLabel");
}

TEST_F(KeyboardFocusTest, WithoutTheHeadsetKeysWarnAsThePointerDoes) {
    Start(false);
    for (const char* name : {"EQEQENImage", "EQ300HzSliderImage", "PageMicLabel"}) {
        FocusOn(name);
        const uint16_t gain = state.workingEq.Gain[1];
        host.messages.clear();
        focus.OnKey(name == std::string("EQ300HzSliderImage") ? NavKey::Up : NavKey::Space, kNone);
        ASSERT_EQ(host.messages.size(), 1u) << name;
        EXPECT_EQ(host.messages[0].text, kWarningText);
        EXPECT_EQ(state.workingEq.Gain[1], gain);
    }
    host.messages.clear();
    EXPECT_TRUE(focus.OnKey(NavKey::Tab, kCtrl));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(window.GetScene().Page(), PAGE_EQ);
    EXPECT_EQ(FocusedName(), "PageMicLabel");  // the refused switch leaves the focus
    EXPECT_TRUE(sim.Trace().Filter("HID ").empty());
}

TEST_F(KeyboardFocusTest, EscapeHidesAndOtherKeysOnButtonsAreNotUsed) {
    Start();
    EXPECT_TRUE(focus.OnKey(NavKey::Escape, kNone));
    EXPECT_EQ(host.hides, 1);
    FocusOn("EQResetImage");
    for (NavKey key : {NavKey::Up, NavKey::Left, NavKey::Home, NavKey::PageDown}) {
        EXPECT_FALSE(focus.OnKey(key, kNone));
    }
    EXPECT_FALSE(focus.OnKey(NavKey::Space, kCtrl));
    FocusOn("EQ60HzSliderImage");
    EXPECT_FALSE(focus.OnKey(NavKey::Enter, kNone));
    EXPECT_TRUE(sim.Trace().Lines().empty());
}

// A whole panel on its own headset, for one run of the keys and one of the pointer.
class Rig : public UiTest {
public:
    void TestBody() override {}
    Point CentreOf(const char* name) { return Centre(name); }
    void ClickOn(const char* name) { Click(name); }
    void Drag(const char* name, int dx, int dy) {
        const Point at = Centre(name);
        window.MouseDown(MouseButton::Left, at);
        window.MouseMove({at.x + dx, at.y + dy});
        window.MouseUp(MouseButton::Left, {at.x + dx, at.y + dy});
    }
    void Key(const char* name, NavKey key, KeyModifiers modifiers = {}) {
        if (name) {
            ASSERT_TRUE(focus.SetFocus(&Get(name))) << name;
        }
        EXPECT_TRUE(focus.OnKey(key, modifiers));
    }
    Rect Bounds(const char* name) { return Get(name).bounds; }

    KeyboardFocus focus{window};
    using UiTest::host;
    using UiTest::sim;
    using UiTest::Start;
    using UiTest::state;
    using UiTest::window;
};

TEST(KeyboardAgainstPointer, EveryKeyMakesTheTrafficOfItsPointerAction) {
    const struct Case {
        const char* what;
        std::function<void(Rig&)> keys;
        std::function<void(Rig&)> pointer;
    } cases[] = {
        {"EQ switch", [](Rig& r) { r.Key("EQEQENImage", NavKey::Space); },
         [](Rig& r) { r.ClickOn("EQEQENImage"); }},
        {"preset", [](Rig& r) { r.Key("EQS3Image", NavKey::Enter); },
         [](Rig& r) { r.ClickOn("EQS3Image"); }},
        {"EQ reset after a band",
         [](Rig& r) {
             r.Key("EQ1200HzSliderImage", NavKey::End);
             r.Key("EQResetImage", NavKey::Space);
         },
         [](Rig& r) {
             r.Drag("EQ1200HzSliderImage", 0, -500);
             r.ClickOn("EQResetLabel");
         }},
        {"LED", [](Rig& r) { r.Key("LEDImage", NavKey::Space); },
         [](Rig& r) { r.ClickOn("LEDImage"); }},
        {"effect",
         [](Rig& r) {
             r.Key(nullptr, NavKey::Tab, kCtrl);
             r.Key("EffectButtonBathroomImage", NavKey::Enter);
         },
         [](Rig& r) {
             r.ClickOn("PageEffectLabel");
             r.ClickOn("EffectButtonBathroomImage");
         }},
        {"microphone mute",
         [](Rig& r) {
             r.Key(nullptr, NavKey::PageDown, kCtrl);
             r.Key(nullptr, NavKey::PageDown, kCtrl);
             r.Key("MicMuteImage", NavKey::Space);
         },
         [](Rig& r) {
             r.ClickOn("PageEffectLabel");
             r.ClickOn("PageMicLabel");
             r.ClickOn("MicMuteLabel");
         }},
        {"virtual reset after a speaker",
         [](Rig& r) {
             r.Key(nullptr, NavKey::Tab, kCtrlShift);
             r.Key("VirtualLImage", NavKey::Right);
             r.Key("VirtualResetImage", NavKey::Enter);
         },
         [](Rig& r) {
             r.ClickOn("PageVirtual7p1Label");
             r.Drag("VirtualLImage", kSpeakerKeyStep, 0);
             r.ClickOn("VirtualResetImage");
         }},
    };
    for (const Case& c : cases) {
        Rig keys;
        Rig pointer;
        keys.Start();
        pointer.Start();
        c.keys(keys);
        c.pointer(pointer);
        EXPECT_FALSE(keys.sim.Trace().Lines().empty()) << c.what;
        EXPECT_EQ(keys.sim.Trace().Lines(), pointer.sim.Trace().Lines()) << c.what;
        EXPECT_TRUE(keys.host.messages.empty()) << c.what;
    }
}

TEST(KeyboardAgainstPointer, ProfileAndAboutButtonsRunTheirCommands) {
    Rig r;
    r.Start();
    r.Key("Menu1Image", NavKey::Enter);
    r.Key("Menu2Image", NavKey::Space);
    r.Key("Menu3Image", NavKey::Enter);
    r.Key("MinimizeImage", NavKey::Enter);
    EXPECT_EQ(r.host.saves, 1);
    EXPECT_EQ(r.host.profileLoads, 1);
    EXPECT_EQ(r.host.abouts, 1);
    EXPECT_EQ(r.host.minimises, 1);
}

// A slider key is a drag to the Top its step asks for: the same handler, the same traffic.
TEST(KeyboardAgainstPointer, SliderKeysMoveThroughTheDragsHandler) {
    const struct Case {
        const char* slider;
        int page;
        NavKey key;
        int direction;  // -1 up, +1 down
        bool large;
        bool toEnd;
    } cases[] = {
        {"EQ300HzSliderImage", PAGE_EQ, NavKey::Up, -1, false, false},
        {"EQ300HzSliderImage", PAGE_EQ, NavKey::Left, +1, false, false},
        {"EQ300HzSliderImage", PAGE_EQ, NavKey::PageUp, -1, true, false},
        {"EQ300HzSliderImage", PAGE_EQ, NavKey::Home, +1, false, true},
        {"MicSliderImage", PAGE_MIC, NavKey::Right, -1, false, false},
        {"MicSliderImage", PAGE_MIC, NavKey::PageDown, +1, true, false},
        {"MicSliderImage", PAGE_MIC, NavKey::End, -1, false, true},
    };
    for (const Case& c : cases) {
        Rig keys;
        Rig pointer;
        for (Rig* r : {&keys, &pointer}) {
            r->Start();
            r->window.ShowPage(c.page);
            r->Drag(c.slider, 0, -37);  // away from the ends
            r->sim.Trace().Clear();
        }
        const Control& slider = *keys.window.GetScene().Find(c.slider);
        const SliderTrack& track = *slider.row->slider;
        const SkinGeometry& skin = keys.window.Context().skin;
        const int top = slider.bounds.top;
        const int wanted =
            c.toEnd
                ? TopEnd(track, skin, c.direction)
                : StepTop(track, skin, top, track.steps.showing(keys.window.Context(), slider.tag),
                          c.direction, c.large ? track.steps.largeStep : track.steps.step);
        ASSERT_NE(wanted, top) << c.slider;
        keys.Key(c.slider, c.key);
        pointer.Drag(c.slider, 0, wanted - top);
        EXPECT_EQ(keys.Bounds(c.slider).top, pointer.Bounds(c.slider).top) << c.slider;
        EXPECT_FALSE(keys.sim.Trace().Lines().empty()) << c.slider;
        EXPECT_EQ(keys.sim.Trace().Lines(), pointer.sim.Trace().Lines()) << c.slider;
    }
}

TEST_F(KeyboardFocusTest, SliderStepsCountInTheShownValue) {
    Start();
    const SliderTrack& eq = *Get("EQ300HzSliderImage").row->slider;
    const auto db = [&] { return eq.steps.shown(skin, Get("EQ300HzSliderImage").bounds.top); };
    FocusOn("EQ300HzSliderImage");
    // From flat, up in 1 dB steps to the top, then down again past flat to silence.
    EXPECT_DOUBLE_EQ(db(), 0.0);
    double last = db();
    int presses = 0;
    while (Get("EQ300HzSliderImage").bounds.top > skin.eqTop0 && presses < 100) {
        focus.OnKey(NavKey::Up, kNone);
        ++presses;
        // A full step, except the last one to the end; never a pixel more than the step needs.
        if (Get("EQ300HzSliderImage").bounds.top > skin.eqTop0) {
            EXPECT_GE(db() - last, 0.99) << presses;
        }
        EXPECT_LE(db() - last, 1.6) << presses;
        last = db();
    }
    EXPECT_EQ(state.workingEq.Gain[1], 4095);
    // 0 to +12 dB: whole steps, the pixels rounding some up.
    EXPECT_GE(presses, 11);
    EXPECT_LE(presses, 12);
    focus.OnKey(NavKey::Home, kNone);
    EXPECT_EQ(state.workingEq.Gain[1], 0);
    focus.OnKey(NavKey::Down, kNone);  // at the end: nothing moves, nothing breaks
    EXPECT_EQ(state.workingEq.Gain[1], 0);

    // The Mic slider shows 0..100: one arrow is one step of it.
    window.ShowPage(PAGE_MIC);
    FocusOn("MicSliderImage");
    focus.OnKey(NavKey::End, kNone);
    EXPECT_EQ(state.micLevel, 100);
    focus.OnKey(NavKey::Down, kNone);
    EXPECT_EQ(state.micLevel, 99);
    focus.OnKey(NavKey::PageDown, kNone);
    EXPECT_EQ(state.micLevel, 89);
}

// Whatever its row, a slider's arrows step the value it shows, and its ends are its ends: a new
// slider that gives no steps (or steps its value cannot make) fails here.
TEST_F(KeyboardFocusTest, EverySlidersArrowsStepTheValueItShows) {
    Start();
    for (Control& c : window.GetScene().Controls()) {
        if (c.role != Role::Slider) {
            continue;
        }
        SCOPED_TRACE(c.name);
        const SliderSteps& steps = c.row->slider->steps;
        ASSERT_TRUE(steps.showing);
        const auto shown = [&] { return steps.showing(window.Context(), c.tag); };
        window.GetScene().SetPage(PageOf(c.parent));
        FocusOn(c.name.c_str());
        focus.OnKey(NavKey::Home, kNone);
        const double lowest = shown();
        focus.OnKey(NavKey::Up, kNone);
        const double once = shown();
        EXPECT_GE(once - lowest, steps.step - 1e-6);
        focus.OnKey(NavKey::Up, kNone);
        const double twice = shown();
        EXPECT_GE(twice - once, steps.step - 1e-6);
        focus.OnKey(NavKey::Down, kNone);
        EXPECT_LT(shown(), twice);
        focus.OnKey(NavKey::End, kNone);
        const double highest = shown();
        EXPECT_GT(highest, lowest);
        focus.OnKey(NavKey::Up, kNone);  // at the end: nothing moves
        EXPECT_EQ(shown(), highest);
    }
}

TEST_F(KeyboardFocusTest, ArrowsMoveASpeakerWithinTheDragsLimits) {
    Start();
    window.ShowPage(PAGE_VIRTUAL);
    FocusOn("VirtualLImage");
    const Control& picture = Get("VirtualPicImage");
    Rect& icon = Get("VirtualLImage").bounds;
    const int left0 = icon.left;
    focus.OnKey(NavKey::Right, kNone);
    EXPECT_EQ(icon.left, left0 + kSpeakerKeyStep);
    EXPECT_FALSE(sim.Trace().Lines().empty());
    // Leftwards until the picture's edge or the circle stops it: it never passes them.
    for (int i = 0; i < 100; ++i) {
        focus.OnKey(NavKey::Left, kNone);
    }
    EXPECT_GT(icon.left, picture.bounds.left + 10);
    const int64_t dx = int64_t{icon.left} - skin.centerX;
    const int64_t dy = int64_t{icon.top} - skin.centerY;
    EXPECT_LE(dx * dx + dy * dy, int64_t{skin.radius} * skin.radius);
    sim.Trace().Clear();
    const int stopped = icon.left;
    focus.OnKey(NavKey::Left, kNone);
    EXPECT_EQ(icon.left, stopped);
}

}  // namespace
