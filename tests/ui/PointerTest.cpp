// The pointer engine: slider drags and bar jumps on the EQ, 3D and Mic pages, and the speaker
// icons on the Virtual7.1 page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "ControlTags.h"
#include "SliderMapping.h"
#include "UiFixture.h"

namespace {

class PointerTest : public UiTest {
protected:
    // Press at a point of a page's panel, then optionally move and release.
    Point OnPanel(Point local) {
        const Point origin = window.GetScene().ParentOrigin(window.GetScene().PagePanel(0));
        return {origin.x + local.x, origin.y + local.y};
    }
    void Drag(const char* name, int dx, int dy) {
        const Point at = Centre(name);
        window.MouseDown(MouseButton::Left, at);
        window.MouseMove({at.x + dx, at.y + dy});
        window.MouseUp(MouseButton::Left, {at.x + dx, at.y + dy});
    }
    int Top(const char* name) { return Get(name).bounds.top; }
};

TEST_F(PointerTest, EqSliderDragWritesTheBandAndSettlesWhereTheGainMapsBack) {
    Start();
    ASSERT_EQ(Top("EQ300HzSliderImage"), 156);  // the middle of 96..216
    struct Case {
        int dy;  // from the middle of the travel
        int top;
        uint16_t gain;
    } cases[] = {{+200, 216, 0}, {-500, 96, 4095}, {0, 156, 1024}, {-30, 126, 2559}};
    for (const Case& c : cases) {
        const int before = Top("EQ300HzSliderImage");
        const Point at = Centre("EQ300HzSliderImage");
        window.MouseDown(MouseButton::Left, at);
        ASSERT_TRUE(window.Pointer().Dragging());
        window.MouseMove({at.x + 7, at.y + c.dy - (before - 156)});
        window.MouseUp(MouseButton::Left, at);
        EXPECT_FALSE(window.Pointer().Dragging());
        EXPECT_EQ(Top("EQ300HzSliderImage"), c.top) << c.dy;
        EXPECT_EQ(Get("EQ300HzSliderImage").bounds.left, 123);  // sliders move vertically only
        EXPECT_EQ(state.workingEq.Gain[1], c.gain);
        EXPECT_EQ(state.eqOffsets[0][1], c.top - skin.eqTop0);
        EXPECT_EQ(sim.Chip().Register(0x122), c.gain & 0xFF);
        EXPECT_EQ(sim.Chip().Register(0x123) & 0x0F, c.gain >> 8);
    }
    // The drag went into preset 1's block only.
    EqRecord preset1, preset2;
    LoadEqBlock(state.image, EqPresetOffset(1), preset1);
    LoadEqBlock(state.image, EqPresetOffset(2), preset2);
    EXPECT_EQ(preset1.Gain[1], 2559);
    EXPECT_EQ(preset2.Gain[1], 1024);

    // Moves after the release drag nothing.
    sim.Trace().Clear();
    window.MouseMove({0, 0});
    EXPECT_TRUE(sim.Trace().Lines().empty());
}

// The window tells the logic each slider's own travel, as its catalogue row gives it.
TEST_F(PointerTest, EachSliderTravelsWhereItsRowSays) {
    const IPanelView& view = window;
    EXPECT_EQ(view.SliderTravel(TAG_EQ_SLIDER_60HZ).top0, skin.eqTop0);
    EXPECT_EQ(view.SliderTravel(TAG_MIC_SLIDER).top0, skin.micTop0);
    EXPECT_EQ(view.SliderTravel(TAG_MIC_SLIDER).length, skin.sliderTravel);
    EXPECT_EQ(view.SliderTravel(TAG_3D_LEFT_ALPHA).top0, k3DTopMin);
    EXPECT_EQ(view.SliderTravel(TAG_3D_LEFT_ALPHA).length, k3DTopMax - k3DTopMin);
    EXPECT_EQ(view.SliderTravel(TAG_MIC_MUTE).length, 0);  // a button travels nowhere
}

TEST_F(PointerTest, OneEqMoveIsOneBandWrite) {
    Start();
    const Point at = Centre("EQ1200HzSliderImage");
    window.MouseDown(MouseButton::Left, at);
    sim.Trace().Clear();
    window.MouseMove({at.x, at.y - 30});
    const auto hid = TakeHid();
    // The band write's exchange with the bypass update's inside: two opens, 0x124 and 0x125.
    EXPECT_EQ(std::count(hid.begin(), hid.end(), "HID OPEN 3F9C:4712"), 2);
    EXPECT_NE(std::find(hid.begin(), hid.end(), "HID SET 00 60 24 01 10"), hid.end());
    EXPECT_NE(std::find(hid.begin(), hid.end(), "HID SET 00 60 25 01 10"), hid.end());
    EXPECT_EQ(Get("EQ1200HzValueLabel").caption, u"9ff");
}

TEST_F(PointerTest, EqBarPressJumpsTheSliderCentreToThePointer) {
    Start();
    struct Case {
        int y;  // panel coordinates, on EQ60HzBarImage (84..274)
        int top;
        uint16_t gain;
    } cases[] = {{90, 96, 4095}, {178, 156, 1024}, {265, 216, 0}, {130, 108, 3483}};
    for (const Case& c : cases) {
        window.MouseDown(MouseButton::Left, OnPanel({80, c.y}));
        window.MouseUp(MouseButton::Left, OnPanel({80, c.y}));
        EXPECT_FALSE(window.Pointer().Dragging());
        EXPECT_EQ(Top("EQ60HzSliderImage"), c.top) << c.y;
        EXPECT_EQ(state.workingEq.Gain[0], c.gain) << c.y;
        EXPECT_EQ(sim.Chip().Register(0x120), c.gain & 0xFF) << c.y;
    }
}

TEST_F(PointerTest, ThreeDLinkModesMoveThePartner) {
    struct Case {
        int mode;
        int dy;  // from the left alpha slider's design Top 143
        int left, right;
    } cases[] = {{-1, -13, 130, 143}, {0, -13, 130, 143},  {1, -13, 130, 130},
                 {2, -13, 130, 200},  {2, -100, 105, 225}, {1, +200, 225, 225}};
    for (const Case& c : cases) {
        Start();
        window.ShowPage(PAGE_3D);
        window.MoveImage(TAG_3D_LEFT_ALPHA, {87, 143});
        window.MoveImage(TAG_3D_RIGHT_ALPHA, {243, 143});
        state.alphaLinkMode = c.mode;
        Drag("D3LAlphaSliderImage", 0, c.dy);
        EXPECT_EQ(Top("D3LAlphaSliderImage"), c.left) << c.mode << " " << c.dy;
        EXPECT_EQ(Top("D3RAlphaSliderImage"), c.right) << c.mode << " " << c.dy;
        EXPECT_EQ(Top("D3LBetaSliderImage"), 201);  // the beta pair is not linked to alpha
        EXPECT_EQ(state.d3.LeftAlpha, 15 - (c.left - 105) * 15 / skin.sliderTravel);
        EXPECT_EQ(state.d3.RightAlpha, 15 - (c.right - 105) * 15 / skin.sliderTravel);
    }
}

TEST_F(PointerTest, MicBarPressCentresTheSliderAndSetsTheVolume) {
    Start();
    window.ShowPage(PAGE_MIC);
    struct Case {
        int y;  // on MicBarImage (89..280)
        float scalar;
    } cases[] = {{110, 1.0f}, {180, 0.55f}, {275, 0.0f}};
    for (const Case& c : cases) {
        window.MouseDown(MouseButton::Left, OnPanel({300, c.y}));
        window.MouseUp(MouseButton::Left, OnPanel({300, c.y}));
        EXPECT_NEAR(sim.Microphone().VolumeScalar(), c.scalar, 0.001) << c.y;
    }
    window.MouseDown(MouseButton::Left, OnPanel({300, 180}));
    window.MouseUp(MouseButton::Left, OnPanel({300, 180}));
    const Rect slider = Get("MicSliderImage").bounds;
    EXPECT_LE(std::abs(slider.top + slider.height / 2 - 180), 1);
}

TEST_F(PointerTest, SpeakerIconsStayInsideTheCircleAndThePicture) {
    Start();
    window.ShowPage(PAGE_VIRTUAL);
    struct Case {
        int radius;
        Point move;  // from the press
        Point expected;
    } cases[] = {
        {100, {10, 10}, {178, 66}},   // inside: moves, table sent
        {100, {0, -46}, {168, 56}},   // corner 130 px from the centre: no move at all
        {200, {10, -30}, {178, 56}},  // inside the circle, above the picture: only Left moves
    };
    for (const Case& c : cases) {
        skin.radius = c.radius;
        window.MoveImage(TAG_SPEAKER_L + 2, {168, 56});
        sim.Trace().Clear();
        Drag("VirtualCImage", c.move.x, c.move.y);
        EXPECT_EQ(Get("VirtualCImage").bounds.left, c.expected.x) << c.move.y;
        EXPECT_EQ(Get("VirtualCImage").bounds.top, c.expected.y) << c.move.y;
        const bool moved = c.expected.x != 168 || c.expected.y != 56;
        EXPECT_EQ(sim.Trace().Filter("DRV ").empty(), !moved) << c.move.y;
    }
    // The page's buttons are no icons: pressing them drags nothing.
    const Point reset = Centre("VirtualResetLabel");
    window.MouseDown(MouseButton::Left, reset);
    EXPECT_FALSE(window.Pointer().Dragging());
    window.MouseUp(MouseButton::Left, reset);
}

TEST_F(PointerTest, WithoutTheDeviceSlidersBarsAndIconsOnlyWarn) {
    Start(false);
    struct Case {
        int page;
        const char* control;
    } cases[] = {{PAGE_EQ, "EQ60HzSliderImage"},
                 {PAGE_3D, "D3RBetaSliderImage"},
                 {PAGE_MIC, "MicSliderImage"},
                 {PAGE_MIC, "MicBarImage"},
                 {PAGE_VIRTUAL, "VirtualLImage"}};
    for (const Case& c : cases) {
        window.ShowPage(c.page);
        host.messages.clear();
        const Rect before = Get(c.control).bounds;
        Drag(c.control, 0, 5);
        EXPECT_EQ(host.messages.size(), 1u) << c.control;
        EXPECT_EQ(Get(c.control).bounds.top, before.top) << c.control;
    }
    EXPECT_EQ(Top("EQ60HzSliderImage"), 156);
}

// The capture went elsewhere (a window of another program, the system's cancel): no release comes.
TEST_F(PointerTest, CancelledPressEndsTheDragAndReleasesTheButtonWithoutItsCommand) {
    Start();
    const Point slider = Centre("EQ60HzSliderImage");
    window.MouseDown(MouseButton::Left, slider);
    window.MouseMove({slider.x, slider.y - 10});
    const int dragged = Top("EQ60HzSliderImage");
    window.CancelPress();
    EXPECT_FALSE(window.Pointer().Dragging());
    sim.Trace().Clear();
    window.MouseMove({slider.x, slider.y - 40});  // the button is up: a plain move
    EXPECT_EQ(Top("EQ60HzSliderImage"), dragged);
    EXPECT_TRUE(sim.Trace().Lines().empty());

    const std::u16string folder = kSkinFolder;
    const Point save = Centre("Menu1Label");
    window.MouseDown(MouseButton::Left, save);
    ASSERT_EQ(Get("Menu1Image").picture, folder + u"Menu1ImageDown.bmp");
    window.CancelPress();
    EXPECT_EQ(Get("Menu1Image").picture, folder + u"Menu1ImageUp.bmp");
    EXPECT_EQ(Get("Menu1Label").colour, 0x555555);
    window.MouseUp(MouseButton::Left, save);  // a release after all is not a click
    EXPECT_EQ(host.saves, 0);
}

}  // namespace
