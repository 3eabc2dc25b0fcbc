// Which parts of the window a scene change repaints: moved sliders, changed labels, page switches
// and changes nobody can see.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "SceneDiff.h"

namespace {

// Rectangles as plain tuples, in a stable order, so failures print readably.
using Box = std::array<int, 4>;
using Boxes = std::vector<Box>;

Boxes Sorted(const std::vector<Rect>& rects) {
    Boxes boxes;
    for (const Rect& r : rects) {
        boxes.push_back({r.left, r.top, r.width, r.height});
    }
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

// The notebook lies at (392, 104), 365 x 292, and the EQ panel fills it.
constexpr Box kNotebook{392, 104, 365, 292};

class SceneDiffTest : public ::testing::Test {
protected:
    Boxes ChangesAfter(void (*change)(Scene&)) {
        const SceneSnapshot before = Take(scene);
        change(scene);
        return Sorted(Changed(before, scene));
    }

    Scene scene;
};

TEST_F(SceneDiffTest, NothingChangedOrNothingVisibleChangedIsEmpty) {
    EXPECT_TRUE(ChangesAfter([](Scene&) {}).empty());
    // A hidden label, a slider on a page not on show, a hidden picture.
    EXPECT_TRUE(ChangesAfter([](Scene& s) {
                    s.Find("EQ60HzValueLabel")->caption = u"12";
                    s.Find("D3LAlphaSliderImage")->bounds.top += 20;
                    s.Find("EQ60HzValueImage")->picture = u"C:\\Skin\\v.png";
                }).empty());
}

TEST_F(SceneDiffTest, MovedSliderGivesItsOldAndNewAreasOnly) {
    // EQ60HzSliderImage: panel (62, 216), 40 x 45, window (454, 320).
    struct Case {
        int newTop;
        Boxes expected;
    };
    const Case cases[] = {
        // Overlapping: the two areas form one rectangle.
        {206, {{454, 310, 40, 55}}},
        // Apart: two rectangles, nothing between them.
        {168, {{454, 272, 40, 45}, {454, 320, 40, 45}}},
        // Partly below the panel: the new area is cut to the notebook.
        {270, {{454, 320, 40, 45}, {454, 374, 40, 22}}},
    };
    for (const Case& c : cases) {
        Scene fresh;
        const SceneSnapshot before = Take(fresh);
        fresh.Find("EQ60HzSliderImage")->bounds.top = c.newTop;
        EXPECT_EQ(Sorted(Changed(before, fresh)), c.expected) << "top " << c.newTop;
    }
}

TEST_F(SceneDiffTest, LabelChangesRepaintTheLabel) {
    // EQS2Label, fixed size: panel (91, 32), 93 x 16.
    const Boxes label{{483, 136, 93, 16}};
    EXPECT_EQ(ChangesAfter([](Scene& s) { s.Find("EQS2Label")->caption = u"Rock"; }), label);
    EXPECT_EQ(ChangesAfter([](Scene& s) { s.Find("EQS2Label")->colour = 0x00FF00; }), label);
    EXPECT_EQ(ChangesAfter([](Scene& s) { s.Find("EQS2Label")->font.points = 9; }), label);

    // A label that grows with its text: old and new area, as one rectangle.
    EXPECT_EQ(ChangesAfter([](Scene& s) {
                  Control& hz = *s.Find("EQ60HzLabel");  // panel (72, 270), 23 x 17
                  hz.caption = u"60 Hz wide";
                  hz.bounds.width = 40;
              }),
              (Boxes{{464, 374, 40, 17}}));
}

TEST_F(SceneDiffTest, WindowControlShownOrHidden) {
    // Bevel1 starts hidden at (425, 416), 8 x 17.
    const Boxes bevel{{425, 416, 8, 17}};
    EXPECT_EQ(ChangesAfter([](Scene& s) { s.Find("Bevel1")->visible = true; }), bevel);
    EXPECT_EQ(ChangesAfter([](Scene& s) { s.Find("Bevel1")->visible = false; }), bevel);
}

TEST_F(SceneDiffTest, PageSwitchRepaintsTheNotebook) {
    EXPECT_EQ(ChangesAfter([](Scene& s) { s.SetPage(2); }), Boxes{kNotebook});
    // With a window control changed at the same time, both.
    EXPECT_EQ(ChangesAfter([](Scene& s) {
                  s.SetPage(0);
                  s.Find("Bevel2")->visible = false;  // (465, 415), 8 x 17
              }),
              (Boxes{{392, 104, 365, 292}, {465, 415, 8, 17}}));
    // A hidden notebook shows no page: switching it repaints nothing.
    scene.Find("BackNotebook")->visible = false;
    EXPECT_TRUE(ChangesAfter([](Scene& s) { s.SetPage(3); }).empty());
}

}  // namespace
