// The whole-window repaints: pictures from the skin and labels from the language, in the looks
// the panel state gives them.
#include <gtest/gtest.h>

#include "ControlTags.h"
#include "PanelError.h"
#include "SkinSpeakers.h"
#include "UiFixture.h"
#include "WholeRepaint.h"

namespace {

class WholeRepaintTest : public UiTest {
protected:
    void Give(const char* key, Size size = {30, 20}) {
        const std::string k = key;
        SkinImageEntry e;
        e.FileName = std::u16string(k.begin(), k.end()) + u".png";
        look.images[k] = e;
        host.sizes[kSkinFolder + e.FileName] = size;
    }
    std::u16string PictureOf(const char* name) {
        const std::u16string& path = Get(name).picture;
        return path.substr(path.rfind(u'\\') + 1);
    }
};

TEST_F(WholeRepaintTest, SkinPicturesFollowThePanelState) {
    Start();
    const char* keys[] = {"LedImageUp",      "LedImageDown",          "EQS3ImageUp",
                          "EQS3ImageDown",   "EQ3DENImageDown",       "MicProgressImage",
                          "D3AlphaDepImage", "EffectPicTheaterImage", "VirtualCImage",
                          "MainFormImage"};
    for (const char* key : keys) {
        Give(key);
    }
    state.led = 1;
    state.currentPreset = 3;
    state.d3Enabled = 1;
    state.alphaLinkMode = 1;
    state.currentEffect = 2;
    ApplySkin(window);

    EXPECT_EQ(PictureOf("LEDImage"), u"LedImageDown.png");
    EXPECT_EQ(PictureOf("EQS3Image"), u"EQS3ImageDown.png");
    EXPECT_EQ(PictureOf("EQ3DENImage"), u"EQ3DENImageDown.png");
    EXPECT_EQ(PictureOf("D3AlphaImage"), u"D3AlphaDepImage.png");  // the mode in force
    EXPECT_EQ(PictureOf("EffectPicImage"), u"EffectPicTheaterImage.png");
    EXPECT_EQ(PictureOf("VirtualCImage"), u"VirtualCImage.png");
    // Keys the skin leaves out hide their images.
    EXPECT_FALSE(Get("DeviceActiveImage").visible);
    EXPECT_FALSE(Get("LogoImage").visible);
    EXPECT_TRUE(Get("EQS3Image").visible);
    // The level bar starts empty whatever its picture's size; the others take theirs.
    EXPECT_EQ(Get("MicProgressImage").bounds.width, 0);
    EXPECT_EQ(Get("MainFormImage").bounds.width, 30);
}

TEST_F(WholeRepaintTest, UnreadablePictureStopsTheRepaint) {
    Start();
    Give("MainFormImage");
    Give("CloseImageUp");
    host.unreadable.insert(kSkinFolder + std::u16string(u"CloseImageUp.png"));
    EXPECT_THROW(ApplySkin(window), PanelError);
    EXPECT_EQ(PictureOf("MainFormImage"), u"MainFormImage.png");
}

TEST_F(WholeRepaintTest, LabelsTakeTheirStylesAndTheTabsLineUp) {
    Start();
    const struct {
        const char* key;
        const char16_t* text;
    } texts[] = {{"LabelPageEQ", u"EQ"},           {"LabelPage3D", u"3D"},
                 {"LabelPageEffect", u"Room"},     {"LabelPageMic", u"Mic"},
                 {"LabelPageVirtual7ch1", u"7.1"}, {"LabelEQS3", u"Rock"},
                 {"LabelActive", u"On"},           {"LabelUnactive", u"Off"}};
    for (const auto& t : texts) {
        look.labels[t.key].Text = t.text;
    }
    look.labels["LabelPageMic"].ColorDown = 0x00AA00;
    look.labels["LabelPageMic"].HasColorDown = true;
    state.currentPreset = 3;
    state.micLevel = 42;
    window.ShowPage(PAGE_MIC);
    RepaintLabels(window);

    EXPECT_EQ(Get("PageMicLabel").colour, 0x00AA00);
    EXPECT_EQ(Get("SXLabel").caption, u"Rock");
    EXPECT_EQ(Get("MicValueLabel").caption, u"42");
    EXPECT_EQ(Get("DeviceActiveLabel").caption, u"On");
    // The 3D tab shows its text but stays out of reach.
    EXPECT_TRUE(Get("Page3DLabel").visible);
    EXPECT_FALSE(Get("Page3DLabel").enabled);
    // Styles without text hide their labels.
    EXPECT_FALSE(Get("FeaturesLabel").visible);

    // Tabs: each bevel at its tab's right edge, the next tab 5 pixels after the bevel.
    struct Expect {
        const char* name;
        int left;
    } tabs[] = {
        {"PageEQLabel", 400},  {"Bevel2", 414}, {"PageEffectLabel", 427},    {"Bevel3", 455},
        {"PageMicLabel", 468}, {"Bevel4", 489}, {"PageVirtual7p1Label", 502}};
    for (const Expect& t : tabs) {
        EXPECT_EQ(Get(t.name).bounds.left, t.left) << t.name;
    }
    EXPECT_EQ(Get("Bevel3").bounds.top, 416);

    Unplug();
    RepaintLabels(window);
    EXPECT_EQ(Get("DeviceActiveLabel").caption, u"Off");
}

}  // namespace

namespace {

using SkinSpeakersTest = UiTest;

TEST_F(SkinSpeakersTest, IconsMoveOutByTheRadiusRatioAroundTheNewCentre) {
    Start();
    // Three speakers at known angles and distances from the old skin.
    const struct {
        int speaker;
        float angle;
        double distance;
        Point expected;  // centre (200, 150), distances x 1.5
    } cases[] = {{0, 0.0f, 40.0, {260, 150}},
                 {2, 1.5707963f, 20.0, {200, 120}},
                 {6, 3.14159265f, 10.0, {185, 150}}};
    for (const auto& c : cases) {
        state.rotation.angle[c.speaker] = c.angle;
        state.rotation.distance[c.speaker] = c.distance;
    }
    skin.centerX = 200;
    skin.centerY = 150;
    skin.radius = 150;
    PlaceSpeakersForSkin(ctx, 100);
    for (const auto& c : cases) {
        const Point at = window.ImagePosition(TAG_SPEAKER_L + c.speaker);
        EXPECT_NEAR(at.x, c.expected.x, 1) << c.speaker;
        EXPECT_NEAR(at.y, c.expected.y, 1) << c.speaker;
        EXPECT_DOUBLE_EQ(state.rotation.distance[c.speaker], c.distance * 1.5);
    }
    // No previous radius: distances stay.
    PlaceSpeakersForSkin(ctx, 0);
    EXPECT_DOUBLE_EQ(state.rotation.distance[0], 60.0);
}

}  // namespace
