// Caption sizes from GDI: what grows with text, weight and size, and faces the system lacks.
#include <gtest/gtest.h>

#include "FontCache.h"
#include "TextMeasureGdi.h"

namespace {

LabelFont Font(const char16_t* face, int heightPx, int points = 0, bool bold = false) {
    LabelFont f;
    f.face = face;
    f.heightPx = heightPx;
    f.points = points;
    f.bold = bold;
    return f;
}

class TextMeasureGdiTest : public ::testing::Test {
protected:
    FontCache fonts;
    TextMeasureGdi measure{fonts};
};

TEST_F(TextMeasureGdiTest, LongerBolderBigger) {
    const LabelFont plain = Font(u"Tahoma", 13);
    const Size text = measure.Measure(u"Equaliser", plain);
    EXPECT_GT(text.width, 0);
    EXPECT_GT(text.height, 0);
    EXPECT_GT(measure.Measure(u"Equaliser on", plain).width, text.width);
    EXPECT_GE(measure.Measure(u"Equaliser", Font(u"Tahoma", 13, 0, true)).width, text.width);
    const Size bigger = measure.Measure(u"Equaliser", Font(u"Tahoma", 20));
    EXPECT_GT(bigger.height, text.height);
    EXPECT_GT(bigger.width, text.width);
}

TEST_F(TextMeasureGdiTest, PointsWinOverTheDesignHeight) {
    // 9 points at 96 dpi are 12 pixels, whatever the design height says.
    EXPECT_EQ(FontPixelHeight(Font(u"Tahoma", 30, 9)), 12);
    EXPECT_EQ(FontPixelHeight(Font(u"Tahoma", 12)), 12);
    const Size points = measure.Measure(u"Reset", Font(u"Tahoma", 30, 9));
    const Size pixels = measure.Measure(u"Reset", Font(u"Tahoma", 12));
    EXPECT_EQ(points.width, pixels.width);
    EXPECT_EQ(points.height, pixels.height);
    // One font object per face, size and weight.
    EXPECT_EQ(fonts.Get(Font(u"Tahoma", 30, 9)), fonts.Get(Font(u"Tahoma", 12)));
    EXPECT_NE(fonts.Get(Font(u"Tahoma", 12)), fonts.Get(Font(u"Tahoma", 12, 0, true)));
}

TEST_F(TextMeasureGdiTest, DenserScreensGetProportionallyBiggerFonts) {
    const struct {
        int points, heightPx, dpi, pixels;
    } cases[] = {{9, 30, 144, 18}, {9, 30, 192, 24}, {0, 13, 144, 20},
                 {0, 13, 192, 26}, {0, 13, 120, 16}, {0, 13, 96, 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " " << c.heightPx << " " << c.dpi);
        EXPECT_EQ(FontPixelHeight(Font(u"Tahoma", c.heightPx, c.points), c.dpi), c.pixels);
    }
    EXPECT_NE(fonts.Get(Font(u"Tahoma", 13), 192), fonts.Get(Font(u"Tahoma", 13)));
}

TEST_F(TextMeasureGdiTest, MissingFaceIsSubstitutedAndEmptyTextTakesALine) {
    const Size substituted = measure.Measure(u"60 Hz", Font(u"No Such Face Anywhere", 13, 0, true));
    EXPECT_GT(substituted.width, 0);
    EXPECT_GT(substituted.height, 0);
    const Size empty = measure.Measure(u"", Font(u"Tahoma", 13));
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, measure.Measure(u"x", Font(u"Tahoma", 13)).height);
}

}  // namespace
