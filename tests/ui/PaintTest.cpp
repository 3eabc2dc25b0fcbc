// The painting primitives: images from skin entries, labels from language styles with the
// global defaults and the density factor.
#include <gtest/gtest.h>

#include "Appearance.h"
#include "FakeUiHost.h"
#include "Paint.h"
#include "PanelError.h"
#include "Scene.h"

namespace {

class PaintTest : public ::testing::Test {
protected:
    PaintTest() { look.skinFolder = u"C:\\Skins\\Blue\\"; }

    Scene scene;
    Appearance look;
    FakeUiHost host;
};

TEST_F(PaintTest, ImageEntryBoundsPictureAndAutoSize) {
    host.sizes[u"C:\\Skins\\Blue\\s1.bmp"] = {50, 40};
    Control& image = *scene.Find("EQS1Image");  // design 0, 27, 93 x 28

    SkinImageEntry moved;
    moved.FileName = u"s1.bmp";
    moved.Left = 5;
    moved.Width = 70;
    moved.HasLeft = moved.HasWidth = true;
    ApplyImageEntry(moved, image, u"", look, host);
    EXPECT_TRUE(image.visible);
    EXPECT_EQ(image.picture, u"C:\\Skins\\Blue\\s1.bmp");
    EXPECT_EQ(image.bounds.left, 5);
    EXPECT_EQ(image.bounds.top, 27);
    EXPECT_EQ(image.bounds.width, 70);
    EXPECT_EQ(image.bounds.height, 28);
    EXPECT_FALSE(image.autoSize);

    // No size given: the image takes its picture's.
    SkinImageEntry sized;
    sized.FileName = u"s1.bmp";
    ApplyImageEntry(sized, image, u"", look, host);
    EXPECT_TRUE(image.autoSize);
    EXPECT_EQ(image.bounds.width, 50);
    EXPECT_EQ(image.bounds.height, 40);

    // An empty entry hides the image and keeps its bounds.
    ApplyImageEntry(SkinImageEntry{}, image, u"", look, host);
    EXPECT_FALSE(image.visible);
    EXPECT_EQ(image.bounds.left, 5);

    // A subfolder sits between the skin folder and the file.
    ApplyImageEntry(sized, image, u"3D\\", look, host);
    EXPECT_EQ(image.picture, u"C:\\Skins\\Blue\\3D\\s1.bmp");
}

TEST_F(PaintTest, UnreadablePictureIsThePanelError) {
    host.unreadable.insert(u"C:\\Skins\\Blue\\broken.png");
    SkinImageEntry entry;
    entry.FileName = u"broken.png";
    Control& image = *scene.Find("LogoImage");
    try {
        ApplyImageEntry(entry, image, u"", look, host);
        FAIL() << "no error";
    } catch (const PanelError& e) {
        EXPECT_NE(e.text().find(u"C:\\Skins\\Blue\\broken.png"), std::u16string::npos);
    }
}

TEST_F(PaintTest, LabelStyleTextColoursFontAndBounds) {
    Control& label = *scene.Find("EQS2Label");  // fixed size, 0xF4F9A8
    look.globals.ColorUp = 0x010203;
    look.globals.FontName = u"Tahoma";
    LabelStyle style;
    style.Text = u"Rock";
    style.ColorDown = 0x00FF00;
    style.HasColorDown = true;
    style.Top = 40;
    style.HasTop = true;

    ApplyLabelStyle(style, label, true, look, host);
    EXPECT_TRUE(label.visible);
    EXPECT_EQ(label.caption, u"Rock");
    EXPECT_EQ(label.colour, 0x010203);  // global ColorUp, copied into the style
    EXPECT_EQ(style.ColorUp, 0x010203);
    EXPECT_FALSE(style.HasColorUp);
    EXPECT_EQ(label.font.face, u"Tahoma");
    EXPECT_EQ(label.font.points, 0);  // no size anywhere: unchanged
    EXPECT_EQ(label.bounds.top, 40);
    EXPECT_EQ(label.bounds.width, 93);  // fixed size

    ApplyLabelStyle(style, label, false, look, host);
    EXPECT_EQ(label.colour, 0x00FF00);

    // No colour anywhere: the colour stays; "(null)" hides.
    look.globals = GlobalLabelDefaults{};
    LabelStyle hidden;
    hidden.Text = u"(null)";
    label.colour = 0x123456;
    ApplyLabelStyle(hidden, label, true, look, host);
    EXPECT_FALSE(label.visible);
    EXPECT_EQ(label.colour, 0x123456);
}

TEST_F(PaintTest, LabelsWithoutFixedSizeFitTheirText) {
    Control& label = *scene.Find("CompanyNameLabel");
    LabelStyle style;
    style.Text = u"Headsets";
    ApplyLabelStyle(style, label, true, look, host);
    EXPECT_EQ(label.bounds.width, 7 * 8);
    EXPECT_EQ(label.bounds.height, 13);
    EXPECT_EQ(label.bounds.left, 111);
}

TEST(Density, FactorsAndHalfToEvenRounding) {
    struct Case {
        int dpi;
        bool beforeVista;
        int points;
        int expected;
    } cases[] = {
        {96, false, 9, 9},    {96, true, 15, 14},     // 13.5 -> 14
        {96, true, 25, 22},                           // 22.5 -> 22
        {96, true, 5, 4},                             // 4.5 -> 4
        {120, false, 12, 10},                         // 9.6
        {120, false, 10, 8},  {120, true, 10, 7},     // 7.2
        {144, false, 9, 6},   {144, true, 15, 10},    // 5.9976, 9.996
        {192, false, 9, 4},                           // 4.5 -> 4 (96 / dpi elsewhere)
        {96, false, -3, -3},  {120, true, -25, -18},  // -18.0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleFontSize(c.points, DensityFactor(c.dpi, c.beforeVista)), c.expected)
            << c.dpi << " dpi, " << c.points << " pt";
    }
    EXPECT_EQ(DensityFactor(144, true), 6664);
    EXPECT_EQ(ScaleFontSize(1, 5000), 0);  // 0.5 -> 0
    EXPECT_EQ(ScaleFontSize(3, 5000), 2);  // 1.5 -> 2
    EXPECT_EQ(ScaleFontSize(-1, 5000), 0);
    EXPECT_EQ(ScaleFontSize(-3, 5000), -2);
}

TEST_F(PaintTest, StyleFontSizeIsScaledByTheDensity) {
    Control& label = *scene.Find("EQS2Label");
    look.density = DensityFactor(96, true);
    look.globals.FontSize = 25;
    LabelStyle style;
    style.Text = u"x";
    ApplyLabelStyle(style, label, true, look, host);
    EXPECT_EQ(label.font.points, 22);
    style.FontSize = 15;
    style.HasFontSize = true;
    ApplyLabelStyle(style, label, true, look, host);
    EXPECT_EQ(label.font.points, 14);
}

}  // namespace
