#include "FontCache.h"

#include <cwchar>

#include "WideText.h"

int FontPixelHeight(const LabelFont& font, int dpi) {
    if (font.points != 0) {
        return MulDiv(font.points, dpi, 72);
    }
    return MulDiv(font.heightPx, dpi, kDesignDpi);
}

HFONT FontCache::Get(const LabelFont& font, int dpi) {
    const int height = FontPixelHeight(font, dpi);
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
