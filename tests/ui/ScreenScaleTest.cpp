// Design pixels to the screen and back: edges, hit-testing and the window region.
#include "ScreenScale.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const int kDensities[] = {96, 120, 144, 168, 192, 288};

TEST(ScreenScale, EdgesRoundUpAndPixelsRoundDown) {
    const struct {
        int dpi, design, screen, back;
    } cases[] = {
        {96, 7, 7, 7},         {144, 1, 2, 0}, {144, 2, 3, 1},    {144, 800, 1200, 533},
        {192, 500, 1000, 250}, {120, 3, 4, 2}, {144, -1, -1, -1}, {144, -3, -4, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " " << c.design);
        const ScreenScale scale(c.dpi);
        EXPECT_EQ(scale.ToScreen(c.design), c.screen);
        EXPECT_EQ(scale.ToDesign(c.design), c.back);
    }
    EXPECT_TRUE(ScreenScale(96).IsIdentity());
    EXPECT_EQ(ScreenScale(0).Dpi(), 96);  // unreadable densities: the design's
    EXPECT_EQ(ScreenScale(100000).Dpi(), 96);
    EXPECT_EQ(ScreenScale(192).ToScreen(INT_MAX), INT_MAX);
    EXPECT_EQ(ScreenScale(192).ToScreen(INT_MIN), INT_MIN);
    EXPECT_EQ(ScreenScale(120).ToDesign(INT_MIN), -1717986919);  // floor of -1717986918.4
}

// A screen pixel is in a control's screen rectangle exactly when its design point hits the
// control, so clicks land on what is drawn under them, also left of and above the window.
TEST(ScreenScale, ScreenRectanglesAndHitTestingAgree) {
    const Rect rects[] = {{0, 0, 1, 1}, {3, 5, 7, 2}, {-4, -3, 5, 9}, {392, 104, 365, 292}};
    for (int dpi : kDensities) {
        const ScreenScale scale(dpi);
        for (const Rect& r : rects) {
            SCOPED_TRACE(testing::Message() << dpi << " " << r.left << "," << r.top);
            const Rect s = scale.ToScreen(r);
            for (int q = scale.ToScreen(r.left) - 4; q < s.left + s.width + 4; ++q) {
                const Point design = scale.ToDesign(Point{q, q - s.left + s.top});
                EXPECT_EQ(r.Contains({design.x, r.top}), s.Contains({q, s.top})) << q;
            }
        }
    }
}

std::vector<uint8_t> Region(std::initializer_list<int32_t> words) {
    std::vector<uint8_t> data;
    for (int32_t w : words) {
        for (int i = 0; i < 4; ++i) {
            data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * i)));
        }
    }
    return data;
}

TEST(ScreenScale, RegionBoundsAndRectanglesGoToTheScreen) {
    const auto design = Region({32, 1, 2, 32, 0, 0, 800, 500, 10, 0, 790, 1, 0, 1, 800, 500});
    EXPECT_EQ(ScaleRegionData(design, ScreenScale(96)), design);
    EXPECT_EQ(ScaleRegionData(design, ScreenScale(144)),
              Region({32, 1, 2, 32, 0, 0, 1200, 750, 15, 0, 1185, 2, 0, 2, 1200, 750}));
    EXPECT_EQ(ScaleRegionData(design, ScreenScale(192)),
              Region({32, 1, 2, 32, 0, 0, 1600, 1000, 20, 0, 1580, 2, 0, 2, 1600, 1000}));
    // A rectangle count larger than the data: what is there is scaled, nothing is read beyond.
    const auto cut = Region({32, 1, 1000, 0, 0, 0, 8, 4, 2, 2, 4, 4});
    EXPECT_EQ(ScaleRegionData(cut, ScreenScale(192)),
              Region({32, 1, 1000, 0, 0, 0, 16, 8, 4, 4, 8, 8}));
    const std::vector<uint8_t> tiny{1, 2, 3};
    EXPECT_EQ(ScaleRegionData(tiny, ScreenScale(192)), tiny);
}

}  // namespace
