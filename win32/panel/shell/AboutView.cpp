#include "AboutView.h"

#include "WideText.h"

const char16_t kAboutBuiltInText[] = u"Copyright (C) QLN Audio. All rights reserved.";

namespace {

constexpr RECT kLabelBounds{88, 20, 88 + 373, 20 + 61};
constexpr RECT kLogoBounds{16, 20, 16 + 57, 20 + 49};
constexpr char16_t kLabelFont[] = u"Tahoma";
constexpr int kLabelFontHeight = -15;

// Left/Top/Width/Height as given, the rest from fallback.
RECT Bounds(const RECT& fallback, bool hasLeft, int left, bool hasTop, int top, bool hasWidth,
            int width, bool hasHeight, int height) {
    const int x = hasLeft ? left : fallback.left;
    const int y = hasTop ? top : fallback.top;
    const int w = hasWidth ? width : fallback.right - fallback.left;
    const int h = hasHeight ? height : fallback.bottom - fallback.top;
    return RECT{x, y, x + w, y + h};
}

// A language that names no field of the label leaves the form's own text.
bool Untouched(const LabelStyle& style) {
    return style.Text.empty() && !style.HasColorUp && !style.HasColorDown && !style.HasFontName &&
           !style.HasFontSize && !style.HasLeft && !style.HasTop && !style.HasWidth &&
           !style.HasHeight;
}

// Negative values are system colours (the high bit and the colour index).
COLORREF ToColorRef(int32_t colour) {
    return colour < 0 ? GetSysColor(colour & 0xFF) : static_cast<COLORREF>(colour);
}

RECT ToScreen(const RECT& design, const ScreenScale& scale) {
    const Rect r = scale.ToScreen(
        Rect{design.left, design.top, design.right - design.left, design.bottom - design.top});
    return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

// The form is laid out at 96 dots per inch.
AboutLayout ToScreen(AboutLayout layout, const ScreenScale& scale) {
    layout.label = ToScreen(layout.label, scale);
    layout.logo = ToScreen(layout.logo, scale);
    layout.fontHeight = MulDiv(layout.fontHeight, scale.Dpi(), kDesignDpi);
    return layout;
}

}  // namespace

AboutLayout LayOutAbout(const AboutContent& content) {
    const LabelStyle& style = content.text;
    AboutLayout layout;
    layout.label = Bounds(kLabelBounds, style.HasLeft, style.Left, style.HasTop, style.Top,
                          style.HasWidth, style.Width, style.HasHeight, style.Height);
    if (Untouched(style)) {
        layout.text = kAboutBuiltInText;
        layout.labelVisible = true;
    } else {
        layout.text = style.Text;
        layout.labelVisible = !style.Text.empty() && style.Text != u"(null)";
    }
    layout.colour = style.HasColorUp ? ToColorRef(style.ColorUp) : GetSysColor(COLOR_WINDOWTEXT);
    layout.fontName = style.HasFontName && !style.FontName.empty() ? style.FontName : kLabelFont;
    // Points at 96 pixels per inch.
    layout.fontHeight = style.HasFontSize && style.FontSize > 0 ? -MulDiv(style.FontSize, 96, 72)
                                                                : kLabelFontHeight;

    const SkinImageEntry& logo = content.logo;
    layout.logo = Bounds(kLogoBounds, logo.HasLeft, logo.Left, logo.HasTop, logo.Top, logo.HasWidth,
                         logo.Width, logo.HasHeight, logo.Height);
    if (!logo.FileName.empty())
        layout.logoPath = content.logoFolder + logo.FileName;
    return layout;
}

AboutView::AboutView(const AboutContent& content, int dpi)
    : layout_(ToScreen(LayOutAbout(content), ScreenScale(dpi))),
      client_(ScreenScale(dpi).ToScreen(Size{kAboutClientWidth, kAboutClientHeight})) {
    font_.reset(CreateFontW(layout_.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, W(layout_.fontName)));
    const GdiPlusApi* api = layout_.logoPath.empty() ? nullptr : gdiplus_.Api();
    Gdiplus::GpBitmap* logo = nullptr;
    // A missing picture leaves its place empty; the dialog is still useful.
    if (api && api->CreateBitmapFromFile(W(layout_.logoPath), &logo) == Gdiplus::Ok && logo) {
        logo_.api = api;
        logo_.image = logo;
    }
}

AboutView::~AboutView() = default;

void AboutView::Paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    GdiPlusGraphics graphics{logo_.api};
    if (logo_.image && logo_.api->CreateFromHDC(dc, &graphics.graphics) == Gdiplus::Ok) {
        const RECT& r = layout_.logo;
        logo_.api->DrawImageRectI(graphics.graphics, logo_.image, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top);
    }
    if (layout_.labelVisible) {
        SelectedObject font(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, layout_.colour);
        RECT bounds = layout_.label;
        DrawTextW(dc, W(layout_.text), -1, &bounds, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    }
}
