// The colours labels and the focus indicator are drawn in, outside and in high contrast, and
// where the indicator lies.
#include <gtest/gtest.h>

#include "Colours.h"
#include "ControlTags.h"
#include "FocusRing.h"
#include "SceneDiff.h"

namespace {

// A high-contrast scheme as a platform reports it: white on black, a yellow highlight.
SystemColours HighContrastBlack() {
    SystemColours system;
    system.highContrast = true;
    system.colour[kSysWindow] = 0x000000;
    system.colour[kSysWindowText] = 0xFFFFFF;
    system.colour[kSysHighlight] = 0x00FFFF;
    system.colour[3] = 0x123456;
    return system;
}

TEST(Colours, NamedColoursResolveFromTheSystemsTablePlainOnesPassThrough) {
    const SystemColours classic;
    const SystemColours high = HighContrastBlack();
    struct Case {
        int32_t colour;
        int32_t classic;
        int32_t high;
    };
    const Case cases[] = {
        {kColorInactiveCaption, 0xDBCDBF, 0x123456},
        {kColorMenu, 0xF0F0F0, 0xF0F0F0},
        {kColorWindow, 0xFFFFFF, 0x000000},
        {kColorWindowText, 0x000000, 0xFFFFFF},
        {kColorHighlight, 0xFF9933, 0x00FFFF},
        {SystemColour(SystemColours::kCount), 0x000000, 0x000000},  // no such index
        {SystemColour(0x7FFFFFFF), 0x000000, 0x000000},
        {0x00A69A8D, 0x00A69A8D, 0x00A69A8D},
        {kColorWhite, 0xFFFFFF, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveColour(c.colour, classic), c.classic) << std::hex << c.colour;
        EXPECT_EQ(ResolveColour(c.colour, high), c.high) << std::hex << c.colour;
    }
}

TEST(Colours, HighContrastDrawsEveryLabelInTheSystemsTextOnItsWindowColour) {
    const SystemColours classic;
    for (const int32_t colour : {0x00A69A8D, kColorHighlight}) {
        const LabelInk normal = InkForLabel(colour, classic);
        EXPECT_EQ(normal.text, ResolveColour(colour, classic));
        EXPECT_FALSE(normal.boxed);

        const LabelInk high = InkForLabel(colour, HighContrastBlack());
        EXPECT_EQ(high.text, 0xFFFFFF);
        EXPECT_TRUE(high.boxed);
        EXPECT_EQ(high.box, 0x000000);
    }
    // The flag decides, not the colours: a system table alone changes no label.
    SystemColours dark = HighContrastBlack();
    dark.highContrast = false;
    EXPECT_EQ(InkForLabel(0x00A69A8D, dark).text, 0x00A69A8D);
    EXPECT_FALSE(InkForLabel(0x00A69A8D, dark).boxed);
}

TEST(Colours, FocusRingIsDarkInsideLightOutsideOrTheSystemsHighlight) {
    const RingInk normal = InkForFocusRing(SystemColours{});
    EXPECT_EQ(normal.inner, 0x000000);
    EXPECT_EQ(normal.outer, 0xFFFFFF);
    const RingInk high = InkForFocusRing(HighContrastBlack());
    EXPECT_EQ(high.inner, 0x00FFFF);
    EXPECT_EQ(high.outer, 0x000000);
}

// The ring lies two lines outside the control's window bounds, and only while it is painted.
TEST(FocusRing, SurroundsThePaintedControlInWindowCoordinates) {
    Scene scene;
    EXPECT_TRUE(IsEmpty(FocusRingRect(scene, nullptr)));

    const Control* close = scene.Find("CloseImage");  // (745, 58), 27 x 27, on the window
    const Rect ring = FocusRingRect(scene, close);
    EXPECT_EQ(ring.left, 745 - 2 * kFocusRingLine);
    EXPECT_EQ(ring.top, 58 - 2 * kFocusRingLine);
    EXPECT_EQ(ring.width, 27 + 4 * kFocusRingLine);
    EXPECT_EQ(ring.height, 27 + 4 * kFocusRingLine);

    // On a page: in the window's coordinates (the notebook lies at 392, 104).
    const Control* reset = scene.Find("EQResetImage");  // (242, 0) on the EQ panel
    const Rect onPage = FocusRingRect(scene, reset);
    EXPECT_EQ(onPage.left, 392 + 242 - 2 * kFocusRingLine);
    EXPECT_EQ(onPage.top, 104 - 2 * kFocusRingLine);

    // Not painted: its page is not on show, or it is hidden.
    scene.SetPage(PAGE_3D);
    EXPECT_TRUE(IsEmpty(FocusRingRect(scene, reset)));
    scene.Find("CloseImage")->visible = false;
    EXPECT_TRUE(IsEmpty(FocusRingRect(scene, close)));
}

}  // namespace
