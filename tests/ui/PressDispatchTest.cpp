// Presses on the window's buttons and tabs, with and without the headset.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ControlTags.h"
#include "UiFixture.h"

namespace {

using PressWithoutDevice = UiTest;

// Device controls refuse with the warning, change nothing and send nothing.
TEST_F(PressWithoutDevice, DeviceControlsShowOnlyTheWarning) {
    Start(false);
    const struct {
        int page;
        const char* name;
    } controls[] = {{PAGE_EQ, "Menu1Image"},
                    {PAGE_EQ, "Menu2Label"},
                    {PAGE_EQ, "EQEQENImage"},
                    {PAGE_EQ, "EQS2Label"},
                    {PAGE_EQ, "EQResetLabel"},
                    {PAGE_EFFECT, "EffectTheaterLabel"},
                    {PAGE_MIC, "MicMuteImage"},
                    {PAGE_VIRTUAL, "VirtualENLabel"},
                    {PAGE_VIRTUAL, "VirtualResetImage"},
                    {PAGE_EQ, "LEDImage"},
                    {PAGE_EQ, "PageMicLabel"},
                    {PAGE_MIC, "PageEffectLabel"}};
    for (const auto& control : controls) {
        const char* name = control.name;
        window.ShowPage(control.page);
        sim.Trace().Clear();
        host.messages.clear();
        const PanelState before = state;
        Control& eqs2 = Get("EQS2Image");
        const std::u16string picture = eqs2.picture;
        Click(name);
        ASSERT_EQ(host.messages.size(), 1u) << name;
        EXPECT_EQ(host.messages[0].text, kWarningText);
        EXPECT_EQ(host.messages[0].caption, u"AudioPanelApp");
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(state.eqEnabled, before.eqEnabled) << name;
        EXPECT_EQ(state.currentPreset, before.currentPreset) << name;
        EXPECT_EQ(state.currentEffect, before.currentEffect) << name;
        EXPECT_EQ(state.micMute, before.micMute) << name;
        EXPECT_EQ(state.virtualEnabled, before.virtualEnabled) << name;
        EXPECT_EQ(state.led, before.led) << name;
        EXPECT_EQ(eqs2.picture, picture) << name;
        EXPECT_EQ(window.GetScene().Page(), control.page) << name;
        EXPECT_TRUE(sim.Trace().Lines().empty()) << name;
    }
    EXPECT_EQ(host.saves + host.profileLoads, 0);
    EXPECT_FALSE(sim.Wave().IsOpen());
}

TEST_F(PressWithoutDevice, CloseMinimiseAboutLinksAndRotationStillWork) {
    Start(false);
    Click("CloseImage");
    EXPECT_EQ(host.hides, 1);
    Click("MinimizeImage");
    EXPECT_EQ(host.minimises, 1);

    // About shows its pressed look, and its release opens no dialog.
    const Point about = Centre("Menu3Label");
    window.MouseDown(MouseButton::Left, about);
    EXPECT_EQ(Get("Menu3Image").picture, std::u16string(kSkinFolder) + u"Menu3ImageDown.bmp");
    window.MouseUp(MouseButton::Left, about);
    EXPECT_EQ(Get("Menu3Image").picture, std::u16string(kSkinFolder) + u"Menu3ImageUp.bmp");
    EXPECT_EQ(host.abouts, 0);

    // Clockwise and counter-clockwise exclude each other; either off leaves both off.
    window.ShowPage(PAGE_VIRTUAL);
    struct Step {
        const char* press;
        int clockwise, counter;
    } steps[] = {{"VirtualClockwiseLabel", 1, 0},
                 {"VirtualCounterclockwiseImage", 0, 1},
                 {"VirtualClockwiseImage", 1, 0},
                 {"VirtualClockwiseLabel", 0, 0}};
    for (const Step& s : steps) {
        Click(s.press);
        EXPECT_EQ(state.rotateClockwise, s.clockwise) << s.press;
        EXPECT_EQ(state.rotateCounterClockwise, s.counter) << s.press;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(sim.Trace().Filter("DRV ").empty());
}

TEST_F(PressWithoutDevice, LinkButtonsCycleThroughTheirModes) {
    Start(false);
    window.ShowPage(PAGE_3D);
    const std::u16string folder = std::u16string(kSkinFolder) + u"3D\\";
    const struct {
        int mode;
        const char16_t* alpha;
    } cycle[] = {{0, u"D3AlphaIndepImage.bmp"},
                 {1, u"D3AlphaDepImage.bmp"},
                 {2, u"D3AlphaInvImage.bmp"},
                 {0, u"D3AlphaIndepImage.bmp"}};
    const Rect before = Get("D3AlphaImage").bounds;
    for (const auto& step : cycle) {
        Click("D3AlphaImage");
        EXPECT_EQ(state.alphaLinkMode, step.mode);
        EXPECT_EQ(Get("D3AlphaImage").picture, folder + step.alpha);
    }
    EXPECT_EQ(Get("D3AlphaImage").bounds.left, before.left);
    EXPECT_EQ(state.betaLinkMode, -1);
    Click("D3BetaImage");
    EXPECT_EQ(state.betaLinkMode, 0);
    EXPECT_EQ(Get("D3BetaImage").picture, folder + u"D3BetaIndepImage.bmp");
    EXPECT_TRUE(host.messages.empty());
}

using PressWithDevice = UiTest;

TEST_F(PressWithDevice, PresetButtonSelectsRecallsAndRepaintsTheGroup) {
    Start();
    Click("EQS2Label");
    EXPECT_EQ(state.currentPreset, 2);
    const std::u16string folder = kSkinFolder;
    EXPECT_EQ(Get("EQS2Image").picture, folder + u"EQS2ImageDown.bmp");
    EXPECT_EQ(Get("EQS1Image").picture, folder + u"EQS1ImageUp.bmp");
    EXPECT_EQ(Get("EQS4Image").picture, folder + u"EQS4ImageUp.bmp");
    // The group takes the first style's colours.
    EXPECT_EQ(Get("EQS2Label").colour, 0x222222);
    EXPECT_EQ(Get("EQS1Label").colour, 0x111111);
    EXPECT_EQ(Get("SXLabel").caption, Get("EQS2Label").caption);
    // Recall (all ten registers), EQ bypass and 3D bypass updates: three exchanges.
    const auto hid = TakeHid();
    EXPECT_EQ(std::count(hid.begin(), hid.end(), "HID CLOSE"), 3);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PressWithDevice, ToggleAndPushButtonLooks) {
    Start();
    const std::u16string folder = kSkinFolder;
    Click("EQEQENLabel");
    EXPECT_EQ(state.eqEnabled, 1);
    EXPECT_EQ(Get("EQEQENImage").picture, folder + u"EQEQENImageDown.bmp");
    EXPECT_EQ(Get("EQEQENLabel").colour, 0x888888);
    EXPECT_EQ(sim.Chip().Register(0x100) & 0x04, 0x04);
    Click("EQEQENImage");
    EXPECT_EQ(state.eqEnabled, 0);
    EXPECT_EQ(Get("EQEQENImage").picture, folder + u"EQEQENImageUp.bmp");
    EXPECT_EQ(Get("EQEQENLabel").colour, 0x777777);

    // Save: pressed look on the press, profile save on the release.
    const Point save = Centre("Menu1Label");
    window.MouseDown(MouseButton::Left, save);
    EXPECT_EQ(Get("Menu1Image").picture, folder + u"Menu1ImageDown.bmp");
    EXPECT_EQ(Get("Menu1Label").colour, 0x666666);
    EXPECT_EQ(host.saves, 0);
    window.MouseUp(MouseButton::Left, save);
    EXPECT_EQ(Get("Menu1Image").picture, folder + u"Menu1ImageUp.bmp");
    EXPECT_EQ(Get("Menu1Label").colour, 0x555555);
    EXPECT_EQ(host.saves, 1);

    Click("Menu3Image");
    EXPECT_EQ(host.abouts, 1);
}

TEST_F(PressWithDevice, ResetRunsOnTheClickOnly) {
    Start();
    state.currentPreset = 1;
    window.MoveImage(TAG_EQ_SLIDER_60HZ, {62, 100});
    const Point reset = Centre("EQResetLabel");
    window.MouseDown(MouseButton::Left, reset);
    EXPECT_TRUE(TakeHid().empty());
    // Released away from the button: no click.
    window.MouseUp(MouseButton::Left, {reset.x, reset.y + 200});
    EXPECT_TRUE(TakeHid().empty());
    window.MouseDown(MouseButton::Left, reset);
    window.MouseUp(MouseButton::Left, reset);
    EXPECT_FALSE(TakeHid().empty());
    EXPECT_EQ(Get("EQ60HzSliderImage").bounds.top, skin.eqTop0 + skin.sliderTravel / 2);
}

TEST_F(PressWithDevice, SyncFlipsOnlyOnTheEqAnd3DPages) {
    Start();
    Get("SyncLabel").visible = true;  // as a language with a "LabelSync" text shows it
    struct Case {
        int page;
        int synchronise;
        bool syncImageVisible;
    } cases[] = {{PAGE_EFFECT, 1, false},
                 {PAGE_MIC, 1, false},
                 {PAGE_VIRTUAL, 1, false},
                 {PAGE_EQ, 0, false},
                 {PAGE_3D, 1, true}};
    for (const Case& c : cases) {
        window.ShowPage(c.page);
        sim.Trace().Clear();
        Click("SyncLabel");
        EXPECT_EQ(device.synchronise, c.synchronise) << c.page;
        EXPECT_EQ(Get("SyncImage").visible, c.syncImageVisible) << c.page;
    }
    EXPECT_EQ(Get("SyncLabel").colour, 0x999999);
    window.ShowPage(PAGE_EFFECT);
    sim.Trace().Clear();
    Click("SyncLabel");
    EXPECT_TRUE(sim.Trace().Lines().empty());
}

TEST_F(PressWithDevice, BackgroundDragsWithTheLeftButtonAndClosesWithTheRight) {
    Start();
    const Point background{100, 450};
    window.MouseDown(MouseButton::Left, background);
    window.MouseUp(MouseButton::Left, background);
    EXPECT_EQ(host.drags, 1);
    EXPECT_EQ(host.closes, 0);
    window.MouseDown(MouseButton::Right, background);
    EXPECT_EQ(host.closes, 1);
    // Outside the background the window itself takes the press.
    window.MouseDown(MouseButton::Right, {803, 510});
    EXPECT_EQ(host.closes, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PressWithDevice, PagesStartAndStopTheLevelMeter) {
    Start();
    Click("PageMicLabel");
    EXPECT_EQ(window.GetScene().Page(), PAGE_MIC);
    EXPECT_TRUE(sim.Wave().IsOpen());
    EXPECT_EQ(sim.Trace().Filter("WAVE START").size(), 1u);
    EXPECT_EQ(Get("PageMicLabel").colour, 0x00AA00);
    EXPECT_EQ(Get("PageEQLabel").colour, 0x0000AA);
    EXPECT_GE(host.pumps, 1);

    // A filled buffer sets the bar.
    std::vector<uint8_t> loud(400, 250);
    const int buffer = sim.Wave().Deliver(loud);
    window.OnMeterBuffer(loud.data(), static_cast<uint32_t>(loud.size()), buffer);
    EXPECT_GT(Get("MicProgressImage").bounds.width, 0);

    sim.Trace().Clear();
    Click("PageEQLabel");
    EXPECT_EQ(window.GetScene().Page(), PAGE_EQ);
    EXPECT_FALSE(sim.Wave().IsOpen());
    EXPECT_EQ(sim.Trace().Filter("WAVE STOP").size(), 1u);
    // The EQ page gets the enable state again: read and write of 0x100.
    EXPECT_FALSE(sim.Trace().Filter("HID ").empty());
    EXPECT_EQ(Get("PageEQLabel").colour, 0x00AA00);
    EXPECT_EQ(Get("PageMicLabel").colour, 0x0000AA);

    // The disabled 3D tab never switches.
    Click("Page3DLabel");
    EXPECT_EQ(window.GetScene().Page(), PAGE_EQ);
}

// A second tab press waiting in the queue runs inside the first one's pump: the page it shows
// stays, with its tab lit and its meter, and the first switch goes no further.
TEST_F(PressWithDevice, TabPressedDuringAPageSwitchWins) {
    Start();
    state.eqEnabled = 1;
    host.onPump = [this] { Click("PageEQLabel"); };
    Click("PageMicLabel");
    EXPECT_EQ(window.GetScene().Page(), PAGE_EQ);
    EXPECT_EQ(Get("PageEQLabel").colour, 0x00AA00);
    EXPECT_EQ(Get("PageMicLabel").colour, 0x0000AA);
    EXPECT_FALSE(sim.Wave().IsOpen());
    EXPECT_NE(sim.Chip().Register(0x100) & 0x04, 0);  // the EQ page's enable write
}

TEST_F(PressWithDevice, EffectButtonSelectsTheEffectAndItsPicture) {
    Start();
    window.ShowPage(PAGE_EFFECT);
    sim.Trace().Clear();
    Click("EffectBathroomLabel");
    EXPECT_EQ(state.currentEffect, 3);
    EXPECT_EQ(sim.ExtDriver().Effect(), 2u);
    EXPECT_EQ(Get("EffectPicImage").picture,
              std::u16string(kSkinFolder) + u"EffectPicBathroomImage.bmp");
    // Entries the skin does not give hide their buttons.
    EXPECT_FALSE(Get("EffectButtonBathroomImage").visible);
}

}  // namespace
