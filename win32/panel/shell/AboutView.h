// What the About dialog draws: the label "AboutLabel" and the picture "AboutLogoImage" from
// the presentation's About content, painted into any device context.
//
//   AboutView view(look.About());
//   view.Paint(dc, clientRect);
#pragma once

#include <windows.h>

#include <string>

#include "GdiPlusSession.h"
#include "Presentation.h"
#include "ScreenScale.h"
#include "ShellHandles.h"

constexpr int kAboutClientWidth = 479;
constexpr int kAboutClientHeight = 89;

// Shown when the language gives the label nothing at all.
extern const char16_t kAboutBuiltInText[];

struct AboutLayout {
    RECT label{};
    bool labelVisible = false;
    std::u16string text;
    COLORREF colour = 0;
    std::u16string fontName;
    int fontHeight = 0;  // pixels, negative: character height
    RECT logo{};
    std::u16string logoPath;  // empty: no picture
};

// The label and picture bounds, text, colour and font the content asks for, the form's own
// where it says nothing.
AboutLayout LayOutAbout(const AboutContent& content);

class AboutView {
public:
    // At a screen density other than 96 dots per inch the client, every bound and the font
    // grow with it.
    explicit AboutView(const AboutContent& content, int dpi = kDesignDpi);
    ~AboutView();
    AboutView(const AboutView&) = delete;
    AboutView& operator=(const AboutView&) = delete;

    const AboutLayout& Layout() const { return layout_; }
    Size ClientSize() const { return client_; }
    // False when there is no logo or it could not be read.
    bool HasLogo() const { return logo_.image != nullptr; }

    // Draws the whole client area.
    void Paint(HDC dc, const RECT& client) const;

private:
    GdiPlusSession gdiplus_;  // started only for a logo; outlives it
    AboutLayout layout_;
    Size client_;
    UniqueFont font_;
    GdiPlusImage logo_;
};
