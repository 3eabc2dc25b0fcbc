// The scene painted into a memory DC: pictures opaque, alpha-blended, colour-keyed, stretched or
// at natural size; labels; the bevel; what is hidden or on another page; the clip rectangle.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "ControlTags.h"
#include "GdiPlusSession.h"
#include "SceneRenderer.h"
#include "TestBitmaps.h"
#include "TestFiles.h"

namespace {

constexpr Pixel kRed = 0xFF0000;
constexpr Pixel kGreen = 0x00FF00;
constexpr Pixel kBlue = 0x0000FF;
constexpr Pixel kWhite = 0xFFFFFF;
constexpr Pixel kBackground = 0x000000;  // the renderer's face colour in these tests
constexpr Pixel kUntouched = 0x123456;   // the target before painting
constexpr Size kClient{806, 522};

// EXPECT_EQ on colours prints them in hex.
::testing::AssertionResult Is(Pixel expected, Pixel actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    char text[64];
    snprintf(text, sizeof text, "0x%06X, expected 0x%06X", actual, expected);
    return ::testing::AssertionFailure() << text;
}

int Channel(Pixel p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

class SceneRendererTest : public ::testing::Test {
protected:
    SceneRendererTest() {
        // Only what each test shows.
        for (Control& c : scene.Controls()) {
            if (c.kind == Kind::Image || c.kind == Kind::Label || c.kind == Kind::Line) {
                c.visible = false;
            }
        }
    }

    std::u16string Bmp(const char16_t* name, int width, int height,
                       const std::function<Pixel(int, int)>& pixel) {
        return folder.Write(name, Bmp24(width, height, pixel));
    }
    std::u16string Solid(const char16_t* name, Pixel colour, int size = 60) {
        return Bmp(name, size, size, [colour](int, int) { return colour; });
    }

    // Bounds in the parent's coordinates.
    Control& Image(const char* name, Rect bounds, const std::u16string& picture,
                   bool stretch = false, bool transparent = false) {
        Control& c = *scene.Find(name);
        EXPECT_TRUE(pictures.Load(picture, &c.pictureSize)) << Narrow(picture);
        c.picture = picture;
        c.bounds = bounds;
        c.stretch = stretch;
        c.transparent = transparent;
        c.visible = true;
        return c;
    }

    Control& Label(const char* name, Rect bounds, const std::u16string& caption, Align align) {
        Control& c = *scene.Find(name);
        c.bounds = bounds;
        c.caption = caption;
        c.align = align;
        c.colour = 0x00FFFF;  // yellow
        c.font = LabelFont{u"Tahoma", 13, 0, true};
        c.visible = true;
        return c;
    }

    void Paint(RECT clip = {0, 0, kClient.width, kClient.height}) {
        renderer.Paint(scene, canvas.dc(), clip, kClient);
    }

    GdiPlusSession gdiplus;
    TempFolder folder;
    PicturesWin32 pictures;
    FontCache fonts;
    SceneRenderer renderer{pictures, fonts, RGB(0, 0, 0)};
    Scene scene;
    MemoryCanvas canvas{kClient.width, kClient.height, kUntouched};
};

TEST_F(SceneRendererTest, OpaqueAndAlphaBlendedPictures) {
    Image("MainFormImage", {100, 100, 60, 60}, Solid(u"red.bmp", kRed));
    Image("CloseImage", {110, 110, 27, 27}, SourcePath("product/Skin/Graphite/CloseUp.png"));
    Paint();

    EXPECT_TRUE(Is(kWhite, canvas.At(123, 123)));     // opaque white of the cross
    EXPECT_TRUE(Is(0x383E45, canvas.At(123, 112)));   // opaque border
    EXPECT_TRUE(Is(kRed, canvas.At(110, 110)));       // fully transparent corner
    EXPECT_TRUE(Is(kBackground, canvas.At(90, 90)));  // nothing there
    // (10, 1) is (14, 16, 19) at alpha 163: over red about (101, 10, 12).
    const Pixel edge = canvas.At(120, 111);
    EXPECT_NEAR(Channel(edge, 16), 101, 4);
    EXPECT_NEAR(Channel(edge, 8), 10, 4);
    EXPECT_NEAR(Channel(edge, 0), 12, 4);
}

TEST_F(SceneRendererTest, StretchedOrNaturalSizeClippedToTheBounds) {
    const std::u16string quad = Bmp(u"quad.bmp", 2, 2, [](int x, int y) {
        static const Pixel colours[2][2] = {{kRed, kGreen}, {kBlue, kWhite}};
        return colours[y][x];
    });
    Image("MainFormImage", {100, 100, 40, 40}, quad, true);
    Image("LogoImage", {200, 100, 40, 40}, quad, false);
    Image("CloseImage", {300, 100, 20, 20}, Solid(u"red.bmp", kRed));
    Paint();

    // Stretched: each pixel fills a quarter.
    EXPECT_TRUE(Is(kRed, canvas.At(108, 108)));
    EXPECT_TRUE(Is(kGreen, canvas.At(132, 108)));
    EXPECT_TRUE(Is(kBlue, canvas.At(108, 132)));
    EXPECT_TRUE(Is(kWhite, canvas.At(132, 132)));
    // Natural size at the top-left; the rest of the bounds shows what is below.
    EXPECT_TRUE(Is(kRed, canvas.At(200, 100)));
    EXPECT_TRUE(Is(kWhite, canvas.At(201, 101)));
    EXPECT_TRUE(Is(kBackground, canvas.At(210, 110)));
    // A picture larger than its bounds is cut at them.
    EXPECT_TRUE(Is(kRed, canvas.At(319, 119)));
    EXPECT_TRUE(Is(kBackground, canvas.At(320, 110)));
    EXPECT_TRUE(Is(kBackground, canvas.At(310, 120)));
}

TEST_F(SceneRendererTest, TransparentBitmapLeavesOutItsBottomLeftColour) {
    Image("MainFormImage", {100, 100, 60, 60}, Solid(u"red.bmp", kRed));
    const std::u16string keyed = Bmp(u"keyed.bmp", 4, 4, [](int x, int y) {
        return (x == 0 && y == 3) || (x == 2 && y == 1) ? kGreen : kBlue;
    });
    Image("LogoImage", {110, 110, 4, 4}, keyed, false, true);
    Image("CloseImage", {120, 110, 4, 4}, keyed, false, false);
    Paint();

    EXPECT_TRUE(Is(kRed, canvas.At(110, 113)));
    EXPECT_TRUE(Is(kRed, canvas.At(112, 111)));
    EXPECT_TRUE(Is(kBlue, canvas.At(111, 111)));
    // The same picture not transparent: drawn whole.
    EXPECT_TRUE(Is(kGreen, canvas.At(120, 113)));
    EXPECT_TRUE(Is(kGreen, canvas.At(122, 111)));
    EXPECT_TRUE(Is(kBlue, canvas.At(121, 111)));
}

// The label's text pixels around its bounds: where they are and how they look.
struct TextPixels {
    int count = 0;
    int exact = 0;     // in the label's colour itself
    int outside = 0;   // beyond the bounds
    int coloured = 0;  // not a shade of the label's colour: colour fringes
    double meanX = 0;
};

TextPixels Scan(const MemoryCanvas& canvas, const Rect& bounds) {
    TextPixels t;
    for (int y = bounds.top - 10; y < bounds.top + bounds.height + 10; ++y) {
        for (int x = bounds.left - 30; x < bounds.left + bounds.width + 30; ++x) {
            const Pixel p = canvas.At(x, y);
            if (p == kBackground) {
                continue;
            }
            ++t.count;
            t.meanX += x;
            t.exact += p == 0xFFFF00;
            t.coloured += Channel(p, 0) != 0 || Channel(p, 16) != Channel(p, 8);
            t.outside += !bounds.Contains({x, y});
        }
    }
    if (t.count) {
        t.meanX /= t.count;
    }
    return t;
}

TEST_F(SceneRendererTest, LabelsDrawTheirTextInTheirColourInsideTheirBounds) {
    const Rect bounds{100, 100, 160, 20};
    double meanX[3] = {};
    const Align aligns[] = {Align::Left, Align::Center, Align::Right};
    for (int i = 0; i < 3; ++i) {
        Label("SettingLabel", bounds, u"Bass", aligns[i]);
        Paint();
        const TextPixels t = Scan(canvas, bounds);
        EXPECT_GT(t.exact, 5) << i;
        EXPECT_EQ(t.outside, 0) << i;
        EXPECT_EQ(t.coloured, 0) << i;  // grey-scale smoothing
        meanX[i] = t.meanX;
    }
    EXPECT_LT(meanX[0], meanX[1]);
    EXPECT_LT(meanX[1], meanX[2]);

    // Text longer than fixed bounds is cut at them.
    const Rect narrow{100, 150, 30, 16};
    Label("SettingLabel", narrow, u"A caption far too long", Align::Left);
    Paint();
    const TextPixels cut = Scan(canvas, narrow);
    EXPECT_GT(cut.count, 10);
    EXPECT_EQ(cut.outside, 0);
}

TEST_F(SceneRendererTest, HiddenControlsAndOtherPagesAreNotDrawn) {
    // The notebook lies at (392, 104); the EQ panel and the 3D panel fill it.
    Image("Back_EQImage", {0, 0, 40, 40}, Solid(u"red.bmp", kRed));
    Image("Back_3DImage", {0, 0, 40, 40}, Solid(u"blue.bmp", kBlue));
    Image("LogoImage", {10, 10, 20, 20}, Solid(u"green.bmp", kGreen)).visible = false;
    Paint();
    EXPECT_TRUE(Is(kRed, canvas.At(400, 110)));
    EXPECT_TRUE(Is(kBackground, canvas.At(15, 15)));

    scene.SetPage(PAGE_3D);
    Paint();
    EXPECT_TRUE(Is(kBlue, canvas.At(400, 110)));

    scene.Find("BackNotebook")->visible = false;
    Paint();
    EXPECT_TRUE(Is(kBackground, canvas.At(400, 110)));
}

TEST_F(SceneRendererTest, PixelsOutsideTheClipStayAsTheyWere) {
    Control& form = Image("MainFormImage", {0, 0, 200, 200}, Solid(u"red.bmp", kRed, 200));
    Paint({50, 50, 80, 70});
    EXPECT_TRUE(Is(kRed, canvas.At(50, 50)));
    EXPECT_TRUE(Is(kRed, canvas.At(79, 69)));
    EXPECT_TRUE(Is(kUntouched, canvas.At(80, 60)));
    EXPECT_TRUE(Is(kUntouched, canvas.At(49, 60)));
    EXPECT_TRUE(Is(kUntouched, canvas.At(60, 70)));

    // The next paint reuses the buffer and still touches only its own clip.
    const std::u16string green = Solid(u"green.bmp", kGreen, 200);
    ASSERT_TRUE(pictures.Load(green, nullptr));
    form.picture = green;
    Paint({0, 0, 10, 10});
    EXPECT_TRUE(Is(kGreen, canvas.At(5, 5)));
    EXPECT_TRUE(Is(kRed, canvas.At(60, 60)));
    EXPECT_TRUE(Is(kUntouched, canvas.At(20, 20)));
}

// A window's update region of separate pieces (the old and new places of moved icons): only
// the pieces are painted, not the rectangle around them, and every piece as a whole paint would.
TEST_F(SceneRendererTest, OnlyTheRegionsPiecesArePainted) {
    Image("MainFormImage", {0, 0, 200, 200}, Solid(u"red.bmp", kRed, 200));
    Control& icon =
        Image("CloseImage", {20, 20, 27, 27}, SourcePath("product/Skin/Graphite/CloseUp.png"));
    Paint();
    const Pixel crossBefore = canvas.At(33, 33);
    MemoryCanvas window{kClient.width, kClient.height, kUntouched};

    icon.bounds = {100, 100, 27, 27};
    UniqueRegion pieces(CreateRectRgn(20, 20, 47, 47));
    UniqueRegion second(CreateRectRgn(100, 100, 127, 127));
    CombineRgn(pieces.get(), pieces.get(), second.get(), RGN_OR);
    // The target is clipped to the region as a paint's DC is.
    SelectClipRgn(window.dc(), pieces.get());
    renderer.Paint(scene, window.dc(), RECT{20, 20, 127, 127}, kClient, pieces.get());

    EXPECT_TRUE(Is(kRed, window.At(33, 33)));           // the old place shows the form again
    EXPECT_TRUE(Is(crossBefore, window.At(113, 113)));  // the icon at its new place
    EXPECT_TRUE(Is(kRed, window.At(100, 100)));
    EXPECT_TRUE(Is(kUntouched, window.At(70, 70)));  // between the pieces: not painted
    EXPECT_TRUE(Is(kUntouched, window.At(19, 33)));
    EXPECT_TRUE(Is(kUntouched, window.At(127, 113)));
}

// While the speakers rotate, what lies under them is composed once: every piece painted from it
// is what a whole paint shows, also after something under them changed.
TEST_F(SceneRendererTest, MovingIconsOverTheComposedUnderlayPaintAsAWholePaint) {
    scene.SetPage(PAGE_VIRTUAL);
    const std::u16string cross = SourcePath("product/Skin/Graphite/CloseUp.png");
    Control& back = Image("Back_Virtual7p1Image", {0, 2, 365, 292}, Solid(u"red.bmp", kRed), true);
    Image("VirtualPicImage", {0, 25, 371, 271}, cross, true);  // stretched and blended
    Control& speaker = Image("VirtualCImage", {100, 100, 27, 27}, cross);
    Label("VirtualENLabel", {90, 110, 92, 25}, u"EN", Align::Center);  // above the speaker
    renderer.SetMoving(Role::Speaker);
    const RECT all{0, 0, kClient.width, kClient.height};
    renderer.Paint(scene, canvas.dc(), all, kClient);
    const auto differing = [&] {
        SceneRenderer whole{pictures, fonts, RGB(0, 0, 0)};
        MemoryCanvas reference{kClient.width, kClient.height, kUntouched};
        whole.Paint(scene, reference.dc(), all, kClient);
        int count = 0;
        for (int y = 0; y < kClient.height; ++y) {
            for (int x = 0; x < kClient.width; ++x) {
                count += canvas.At(x, y) != reference.At(x, y);
            }
        }
        return count;
    };
    const auto paintPieces = [&](const Rect& a, const Rect& b) {
        UniqueRegion pieces(CreateRectRgn(a.left, a.top, a.left + a.width, a.top + a.height));
        UniqueRegion second(CreateRectRgn(b.left, b.top, b.left + b.width, b.top + b.height));
        CombineRgn(pieces.get(), pieces.get(), second.get(), RGN_OR);
        RECT box{};
        GetRgnBox(pieces.get(), &box);
        SelectClipRgn(canvas.dc(), pieces.get());
        renderer.Paint(scene, canvas.dc(), box, kClient, pieces.get());
        SelectClipRgn(canvas.dc(), nullptr);
    };
    for (const Point to : {Point{140, 120}, Point{150, 140}, Point{0, 0}}) {
        const Rect from = WindowBounds(scene, speaker);
        speaker.bounds.left = to.x;
        speaker.bounds.top = to.y;
        paintPieces(from, WindowBounds(scene, speaker));
        EXPECT_EQ(0, differing()) << "speaker moved to " << to.x << ", " << to.y;
    }

    const std::u16string green = Solid(u"green.bmp", kGreen);
    ASSERT_TRUE(pictures.Load(green, nullptr));
    back.picture = green;
    const Rect page = PaintedRect(scene, scene.PagePanel(PAGE_VIRTUAL));
    paintPieces(page, page);
    EXPECT_EQ(0, differing()) << "the picture under the speakers changed";
    EXPECT_TRUE(Is(kGreen, canvas.At(page.left + 1, page.top + 3)));
}

TEST_F(SceneRendererTest, BevelIsAnEtchedLineOnItsRightEdge) {
    scene.Find("Bevel2")->visible = true;  // (465, 415), 8 x 17
    Paint();
    EXPECT_TRUE(Is(0x808080, canvas.At(471, 415)));
    EXPECT_TRUE(Is(0x808080, canvas.At(471, 431)));
    EXPECT_TRUE(Is(kWhite, canvas.At(472, 420)));
    EXPECT_TRUE(Is(kBackground, canvas.At(470, 420)));
    EXPECT_TRUE(Is(kBackground, canvas.At(471, 432)));
}

// On a denser screen every edge is mapped: pictures resampled smoothly at their grown size,
// stretched ones with hard edges, text in a bigger font, the bevel wider, the clip in screen
// pixels; back at the design's density the pictures are the originals again.
TEST_F(SceneRendererTest, DenserScreenGrowsEveryControl) {
    const std::u16string halves =
        Bmp(u"halves.bmp", 10, 10, [](int x, int) { return x < 5 ? kRed : kGreen; });
    const std::u16string quad = Bmp(u"quad.bmp", 2, 2, [](int x, int y) {
        static const Pixel colours[2][2] = {{kRed, kGreen}, {kBlue, kWhite}};
        return colours[y][x];
    });
    Image("LogoImage", {50, 50, 10, 10}, halves);
    Image("MainFormImage", {100, 50, 20, 20}, quad, true);
    Control& bevel = *scene.Find("Bevel2");
    bevel.visible = true;
    bevel.bounds = {300, 150, 8, 17};
    const Rect label{60, 120, 120, 20};
    Label("SettingLabel", label, u"Bass", Align::Left);
    Paint();
    const TextPixels design = Scan(canvas, label);

    renderer.SetScale(ScreenScale(192));
    Paint();
    // The picture covers twice its size; inside each half its colour, at the seam a blend.
    EXPECT_TRUE(Is(kRed, canvas.At(100, 100)));
    EXPECT_TRUE(Is(kRed, canvas.At(102, 119)));
    EXPECT_TRUE(Is(kGreen, canvas.At(117, 100)));
    EXPECT_TRUE(Is(kGreen, canvas.At(119, 119)));
    EXPECT_TRUE(Is(kBackground, canvas.At(120, 110)));
    EXPECT_TRUE(Is(kBackground, canvas.At(110, 120)));
    int blended = 0;
    for (int x = 108; x < 112; ++x) {
        blended += canvas.At(x, 110) != kRed && canvas.At(x, 110) != kGreen;
    }
    EXPECT_GT(blended, 0);
    // Stretched: hard edges, each source pixel a 20 x 20 square.
    EXPECT_TRUE(Is(kRed, canvas.At(219, 119)));
    EXPECT_TRUE(Is(kGreen, canvas.At(220, 100)));
    EXPECT_TRUE(Is(kBlue, canvas.At(200, 120)));
    EXPECT_TRUE(Is(kWhite, canvas.At(239, 139)));
    EXPECT_TRUE(Is(kBackground, canvas.At(240, 130)));
    // The bevel's lines two pixels wide at the doubled right edge.
    EXPECT_TRUE(Is(0x808080, canvas.At(612, 300)));
    EXPECT_TRUE(Is(0x808080, canvas.At(613, 300)));
    EXPECT_TRUE(Is(kWhite, canvas.At(614, 300)));
    EXPECT_TRUE(Is(kWhite, canvas.At(615, 333)));
    EXPECT_TRUE(Is(kBackground, canvas.At(611, 310)));
    // Text about twice as tall and wide: some four times the pixels, inside the grown bounds.
    const TextPixels dense = Scan(canvas, ScreenScale(192).ToScreen(label));
    EXPECT_EQ(dense.outside, 0);
    EXPECT_GT(dense.count, 3 * design.count);

    // Another density: the pictures are resampled again, not taken from the last one.
    renderer.SetScale(ScreenScale(144));
    Paint({0, 0, 90, 90});
    EXPECT_TRUE(Is(kGreen, canvas.At(89, 75)));
    EXPECT_TRUE(Is(kGreen, canvas.At(117, 100)));  // outside the clip: the last paint's
    renderer.SetScale(ScreenScale(96));
    Paint();
    EXPECT_TRUE(Is(kRed, canvas.At(54, 50)));
    EXPECT_TRUE(Is(kGreen, canvas.At(55, 50)));
    EXPECT_TRUE(Is(kBackground, canvas.At(60, 50)));
}

}  // namespace

namespace {

// Brightness of a pixel, 0..255.
int Luma(Pixel p) {
    return (299 * Channel(p, 16) + 587 * Channel(p, 8) + 114 * Channel(p, 0)) / 1000;
}

// The focus ring around the close button on each skin's own background, at the design's density
// and doubled: dark just outside the button, light outside that, each two design pixels wide; the
// button and everything beyond the ring as without it; one of the lines stands out from the
// background on every side; a paint's clip cuts it.
TEST_F(SceneRendererTest, FocusRingShowsOnBothSkinsAtAnyDensity) {
    for (const char* skin : {"Graphite", "Aurora"}) {
        const std::string folder = std::string("product/Skin/") + skin + "/";
        Image("MainFormImage", {0, 0, 800, 500}, SourcePath(folder + "MainForm.png"));
        const Control& close =
            Image("CloseImage", {745, 58, 27, 27}, SourcePath(folder + "CloseUp.png"));
        for (const int dpi : {96, 192}) {
            SCOPED_TRACE(std::string(skin) + " at " + std::to_string(dpi));
            const int k = dpi / 96;
            renderer.SetScale(ScreenScale(dpi));
            renderer.SetFocusIndicator(nullptr);
            MemoryCanvas plain{kClient.width * 2, kClient.height * 2, kUntouched};
            renderer.Paint(scene, plain.dc(), {0, 0, 1612, 1044}, {1612, 1044});

            renderer.SetFocusIndicator(&close);
            MemoryCanvas ringed{kClient.width * 2, kClient.height * 2, kUntouched};
            renderer.Paint(scene, ringed.dc(), {0, 0, 1612, 1044}, {1612, 1044});

            const int left = 745 * k;
            const int top = 58 * k;
            const int right = (745 + 27) * k;  // outside
            const int bottom = (58 + 27) * k;
            const int midY = top + 13 * k;
            const int midX = left + 13 * k;
            for (int d = 1; d <= 4 * k; ++d) {
                const Pixel want = d <= 2 * k ? 0x000000 : 0xFFFFFF;
                EXPECT_TRUE(Is(want, ringed.At(left - d, midY))) << d;
                EXPECT_TRUE(Is(want, ringed.At(right - 1 + d, midY))) << d;
                EXPECT_TRUE(Is(want, ringed.At(midX, top - d))) << d;
                EXPECT_TRUE(Is(want, ringed.At(midX, bottom - 1 + d))) << d;
            }
            // Corners are closed; the button and what lies beyond the ring are untouched.
            EXPECT_TRUE(Is(0xFFFFFF, ringed.At(left - 4 * k, top - 4 * k)));
            EXPECT_TRUE(Is(0x000000, ringed.At(right, bottom)));
            for (const auto& p : {std::pair<int, int>{left, top},
                                  {midX, midY},
                                  {right - 1, bottom - 1},
                                  {left - 4 * k - 1, midY},
                                  {right + 4 * k, midY},
                                  {midX, top - 4 * k - 1}}) {
                EXPECT_TRUE(Is(plain.At(p.first, p.second), ringed.At(p.first, p.second)));
            }
            // Seen against the background on every side.
            for (const auto& p : {std::pair<int, int>{left - 4 * k - 1, midY},
                                  {right + 4 * k, midY},
                                  {midX, top - 4 * k - 1},
                                  {midX, bottom + 4 * k}}) {
                const int background = Luma(plain.At(p.first, p.second));
                EXPECT_GE(std::max(background, 255 - background), 128);
            }

            // A paint of the left half only draws the left half of the ring.
            MemoryCanvas half{kClient.width * 2, kClient.height * 2, kUntouched};
            renderer.Paint(scene, half.dc(), {0, 0, midX, 1044}, {1612, 1044});
            EXPECT_TRUE(Is(0xFFFFFF, half.At(left - 4 * k, midY)));
            EXPECT_TRUE(Is(kUntouched, half.At(right + 2 * k, midY)));
        }
    }
    renderer.SetFocusIndicator(nullptr);
}

// In high contrast a label's text takes the system's text colour on a box of its window colour
// around the text only, and the focus ring the system's highlight; back out of it, the label is
// painted as before.
TEST_F(SceneRendererTest, HighContrastTextOnItsOwnBoxLeavesThePicturesAlone) {
    Image("MainFormImage", {0, 0, 200, 200}, Solid(u"red.bmp", kRed, 200));
    const Rect bounds{20, 20, 150, 20};
    Control& label = Label("SettingLabel", bounds, u"Bass", Align::Right);
    label.colour = kColorHighlight;
    Paint();
    MemoryCanvas before{kClient.width, kClient.height, kUntouched};
    renderer.Paint(scene, before.dc(), {0, 0, kClient.width, kClient.height}, kClient);

    SystemColours high;
    high.highContrast = true;
    high.colour[kSysWindow] = 0x000000;
    high.colour[kSysWindowText] = 0xFFFFFF;
    high.colour[kSysHighlight] = 0xFFFF00;  // 0x00BBGGRR: cyan
    renderer.SetColours(high);
    renderer.SetFocusIndicator(scene.Find("MainFormImage"));
    Paint();
    int white = 0;
    int black = 0;
    int other = 0;
    int boxLeft = bounds.left + bounds.width;
    for (int y = bounds.top; y < bounds.top + bounds.height; ++y) {
        for (int x = bounds.left; x < bounds.left + bounds.width; ++x) {
            const Pixel p = canvas.At(x, y);
            if (p == kRed) {
                continue;
            }
            white += p == kWhite;
            black += p == 0x000000;
            other += p != kWhite && p != 0x000000 && Channel(p, 16) != Channel(p, 8);
            boxLeft = std::min(boxLeft, x);
        }
    }
    EXPECT_GT(white, 5);
    EXPECT_GT(black, white);               // the box around the glyphs
    EXPECT_EQ(other, 0);                   // no trace of the label's own colour
    EXPECT_GT(boxLeft, bounds.left + 80);  // right-aligned: the box stays by the text
    EXPECT_TRUE(Is(kRed, canvas.At(bounds.left, bounds.top)));
    EXPECT_TRUE(Is(kRed, canvas.At(100, 100)));  // the picture itself
    // The ring of a control at the window's corner: the highlight inside, the window colour
    // outside, what falls off the window cut.
    EXPECT_TRUE(Is(0x00FFFF, canvas.At(200, 100)));
    EXPECT_TRUE(Is(0x00FFFF, canvas.At(100, 201)));
    EXPECT_TRUE(Is(0x000000, canvas.At(203, 100)));

    renderer.SetColours(SystemColours{});
    renderer.SetFocusIndicator(nullptr);
    Paint();
    for (int y = bounds.top; y < bounds.top + bounds.height; ++y) {
        for (int x = bounds.left; x < bounds.left + bounds.width; ++x) {
            ASSERT_TRUE(Is(before.At(x, y), canvas.At(x, y))) << x << "," << y;
        }
    }
}

}  // namespace
