// The skin's pictures at the screen's density, each resampled once with a smooth filter and
// kept until the density changes or the window lets them go. Stretched pictures are not taken from
// here: they keep hard edges. GDI+ resamples; it stays started while resampled pictures are kept,
// so a page switch does not start it again, and is let go with them.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "GdiPlusSession.h"
#include "PicturesWin32.h"
#include "ScreenScale.h"

class ScaledPictures {
public:
    // The picture at the scale's size (edges rounded up, so it covers its control); the
    // original itself for the identity scale; null when the resampling fails.
    const DecodedPicture* Get(const std::u16string& path, const DecodedPicture& original,
                              const ScreenScale& scale);
    void Clear() {
        cache_.clear();
        gdiplus_.reset();
    }

private:
    std::optional<GdiPlusSession> gdiplus_;
    int dpi_ = kDesignDpi;
    std::unordered_map<std::u16string, DecodedPicture> cache_;
};
