#include "FontCache.h"

#include <cwchar>

#include "WideText.h"

int ScreenPixelsPerInch() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) {
            ReleaseDC(nullptr, screen);
        }
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int FontPixelHeight(const LabelFont& font) {
    if (font.points != 0) {
        return MulDiv(font.points, ScreenPixelsPerInch(), 72);
    }
    return font.heightPx;
}

HFONT FontCache::Get(const LabelFont& font) {
    const int height = FontPixelHeight(font);
    Key key{font.face, height, font.bold};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        LOGFONTW lf{};
        lf.lfHeight = -height;  // character height, not cell height
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        // Grey-scale smoothing: coloured fringes look wrong on the dark skins.
        lf.lfQuality = ANTIALIASED_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        wcsncpy(lf.lfFaceName, W(font.face), LF_FACESIZE - 1);
        it = fonts_.emplace(std::move(key), UniqueFont(CreateFontIndirectW(&lf))).first;
    }
    return it->second ? it->second.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
