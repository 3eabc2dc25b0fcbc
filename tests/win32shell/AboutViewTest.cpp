// The About dialog's client painted into a bitmap: which parts show, where, in what colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "AboutView.h"
#include "TestFiles.h"

namespace {

// A 32-bit top-down bitmap of the dialog's client size with a memory DC on it.
class ClientBitmap {
public:
    explicit ClientBitmap(Size size = {kAboutClientWidth, kAboutClientHeight})
        : size_(size), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.width;
        info.bmiHeader.biHeight = -size.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const uint32_t*>(bits);
        selected_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~ClientBitmap() { SelectObject(dc_.get(), selected_); }

    bool Ready() const { return dc_ && bitmap_ && bits_; }

    void Paint(const AboutView& view) {
        const RECT client{0, 0, size_.width, size_.height};
        view.Paint(dc_.get(), client);
        GdiFlush();
    }

    COLORREF At(int x, int y) const {
        const uint32_t pixel = bits_[y * size_.width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    // Pixels of r that differ from colour.
    int CountOtherThan(const RECT& r, COLORREF colour) const {
        int count = 0;
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, size_.height); ++y)
            for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, size_.width); ++x)
                count += At(x, y) != colour;
        return count;
    }
    int Count(const RECT& r, COLORREF colour) const {
        const int area = (r.right - r.left) * (r.bottom - r.top);
        return area - CountOtherThan(r, colour);
    }

private:
    Size size_;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    const uint32_t* bits_ = nullptr;
    HGDIOBJ selected_ = nullptr;
};

constexpr COLORREF kRed = RGB(0xE0, 0x10, 0x10);

AboutContent TextContent(const std::u16string& text) {
    AboutContent content;
    content.caption = u"About";
    content.text.Text = text;
    content.text.ColorUp = static_cast<int32_t>(kRed);
    content.text.HasColorUp = true;
    content.text.FontName = u"Tahoma";
    content.text.HasFontName = true;
    content.text.FontSize = 9;
    content.text.HasFontSize = true;
    return content;
}

const RECT kWholeClient{0, 0, kAboutClientWidth, kAboutClientHeight};

class AboutPaintTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bitmap_.Ready()); }
    COLORREF Face() const { return GetSysColor(COLOR_BTNFACE); }
    ClientBitmap bitmap_;
};

TEST_F(AboutPaintTest, TextDrawnInItsColourInsideTheLabelOnly) {
    AboutView view(TextContent(u"QLN Audio Panel 1.0 \u00a9 QLN Audio. \u97f3\u58f0"));
    bitmap_.Paint(view);
    const RECT label = view.Layout().label;
    EXPECT_GT(bitmap_.Count(label, kRed), 20);
    EXPECT_EQ(bitmap_.CountOtherThan(kWholeClient, Face()), bitmap_.CountOtherThan(label, Face()));
}

TEST_F(AboutPaintTest, HiddenLabelDrawsNothing) {
    for (const char16_t* hidden : {u"(null)", u""}) {
        AboutContent content = TextContent(hidden);
        AboutView view(content);
        EXPECT_FALSE(view.Layout().labelVisible);
        bitmap_.Paint(view);
        EXPECT_EQ(bitmap_.CountOtherThan(kWholeClient, Face()), 0) << Narrow(hidden);
    }
}

TEST_F(AboutPaintTest, NoLanguageTextShowsTheBuiltInLine) {
    AboutView view(AboutContent{});
    EXPECT_TRUE(view.Layout().labelVisible);
    EXPECT_EQ(view.Layout().text, kAboutBuiltInText);
    bitmap_.Paint(view);
    EXPECT_GT(bitmap_.CountOtherThan(view.Layout().label, Face()), 20);
}

TEST_F(AboutPaintTest, LongTextWrapsWithinTheLabel) {
    AboutView view(
        TextContent(u"one two three four five six seven eight nine ten eleven twelve "
                    u"thirteen fourteen fifteen sixteen seventeen eighteen nineteen"));
    bitmap_.Paint(view);
    const RECT label = view.Layout().label;
    const RECT secondLine{label.left, label.top + 16, label.right, label.top + 30};
    EXPECT_GT(bitmap_.Count(secondLine, kRed), 10);
    EXPECT_EQ(bitmap_.CountOtherThan(kWholeClient, Face()), bitmap_.CountOtherThan(label, Face()));
}

TEST_F(AboutPaintTest, LogoStretchedIntoItsBounds) {
    AboutContent content = TextContent(u"(null)");
    content.logo.FileName = u"AboutLogo.png";
    content.logoFolder = SourcePath("product/Skin/Graphite/");
    AboutView view(content);
    ASSERT_TRUE(view.HasLogo());
    bitmap_.Paint(view);
    const RECT logo = view.Layout().logo;
    EXPECT_GT(bitmap_.CountOtherThan(logo, Face()), 57 * 49 / 4);
    EXPECT_EQ(bitmap_.CountOtherThan(kWholeClient, Face()), bitmap_.CountOtherThan(logo, Face()));

    content.logo.FileName = u"Missing.png";
    AboutView missing(content);
    EXPECT_FALSE(missing.HasLogo());
    bitmap_.Paint(missing);
    EXPECT_EQ(bitmap_.CountOtherThan(kWholeClient, Face()), 0);
}

TEST_F(AboutPaintTest, GdiPlusLoadedOnlyWhileALogoIsShown) {
    AboutContent content = TextContent(u"(null)");
    {
        AboutView noLogo(content);
        EXPECT_FALSE(GdiPlusSession::Loaded());
    }
    content.logo.FileName = u"AboutLogo.png";
    content.logoFolder = SourcePath("product/Skin/Graphite/");
    {
        AboutView view(content);
        ASSERT_TRUE(view.HasLogo());
        EXPECT_TRUE(GdiPlusSession::Loaded());
    }
    EXPECT_FALSE(GdiPlusSession::Loaded());
}

TEST(LayOutAbout, BoundsAndFontFromTheGivenFieldsOnly) {
    AboutContent content;
    EXPECT_EQ(LayOutAbout(content).label.left, 88);
    EXPECT_EQ(LayOutAbout(content).fontHeight, -15);
    EXPECT_EQ(LayOutAbout(content).fontName, u"Tahoma");
    const RECT logo = LayOutAbout(content).logo;
    EXPECT_EQ(logo.left, 16);
    EXPECT_EQ(logo.top, 20);
    EXPECT_EQ(logo.right - logo.left, 57);
    EXPECT_EQ(logo.bottom - logo.top, 49);
    EXPECT_TRUE(LayOutAbout(content).logoPath.empty());

    content.text.Text = u"x";
    content.text.Left = 100;
    content.text.HasLeft = true;
    content.text.Height = 30;
    content.text.HasHeight = true;
    content.text.FontSize = 12;
    content.text.HasFontSize = true;
    content.logo.Top = 5;
    content.logo.HasTop = true;
    const AboutLayout layout = LayOutAbout(content);
    EXPECT_EQ(layout.label.left, 100);
    EXPECT_EQ(layout.label.top, 20);
    EXPECT_EQ(layout.label.right, 100 + 373);
    EXPECT_EQ(layout.label.bottom, 20 + 30);
    EXPECT_EQ(layout.fontHeight, -16);  // 12 points at 96 dpi
    EXPECT_EQ(layout.logo.top, 5);
    EXPECT_EQ(layout.logo.bottom, 5 + 49);
}

// On a denser screen the client, the label, the logo and the text grow by the density.
TEST_F(AboutPaintTest, DenserScreenGrowsTheWholeForm) {
    AboutContent content = TextContent(u"QLN Audio Panel 1.0");
    content.logo.FileName = u"AboutLogo.png";
    content.logoFolder = SourcePath("product/Skin/Graphite/");
    const AboutView design(content);
    bitmap_.Paint(design);
    const int designText = bitmap_.Count(design.Layout().label, kRed);

    const AboutView dense(content, 192);
    EXPECT_EQ(dense.ClientSize().width, 2 * kAboutClientWidth);
    EXPECT_EQ(dense.ClientSize().height, 2 * kAboutClientHeight);
    const RECT label = dense.Layout().label;
    const RECT logo = dense.Layout().logo;
    EXPECT_EQ((std::vector<LONG>{label.left, label.top, label.right, label.bottom}),
              (std::vector<LONG>{176, 40, 922, 162}));
    EXPECT_EQ((std::vector<LONG>{logo.left, logo.top, logo.right, logo.bottom}),
              (std::vector<LONG>{32, 40, 146, 138}));
    EXPECT_EQ(dense.Layout().fontHeight, 2 * design.Layout().fontHeight);

    ClientBitmap bitmap(dense.ClientSize());
    ASSERT_TRUE(bitmap.Ready());
    bitmap.Paint(dense);
    const RECT whole{0, 0, dense.ClientSize().width, dense.ClientSize().height};
    EXPECT_GT(bitmap.Count(label, kRed), 3 * designText);
    EXPECT_GT(bitmap.CountOtherThan(logo, Face()), 114 * 98 / 4);
    EXPECT_EQ(bitmap.CountOtherThan(whole, Face()),
              bitmap.CountOtherThan(label, Face()) + bitmap.CountOtherThan(logo, Face()));
}

}  // namespace
