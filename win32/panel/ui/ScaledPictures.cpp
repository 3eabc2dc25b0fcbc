#include "ScaledPictures.h"

#include <cstdint>

namespace {

uint32_t* DibBits(HBITMAP dib) {
    DIBSECTION section{};
    if (GetObjectW(dib, sizeof section, &section) != sizeof section) {
        return nullptr;
    }
    return static_cast<uint32_t*>(section.dsBm.bmBits);
}

// Resamples a premultiplied DIB of size from into a new one of size to. Bicubic with the edges
// mirrored, so the border pixels keep their colour instead of fading.
UniqueBitmap Resample(const GdiPlusApi& api, HBITMAP source, Size from, Size to) {
    uint32_t* in = DibBits(source);
    uint32_t* out = nullptr;
    UniqueBitmap dib = NewDib(static_cast<UINT>(to.width), static_cast<UINT>(to.height), &out);
    if (!in || !dib || !out) {
        return nullptr;
    }
    using namespace Gdiplus;
    GpBitmap* bitmap = nullptr;
    api.CreateBitmapFromScan0(from.width, from.height, from.width * 4, PixelFormat32bppPARGB,
                              reinterpret_cast<BYTE*>(in), &bitmap);
    const GdiPlusImage input(&api, bitmap);
    bitmap = nullptr;
    api.CreateBitmapFromScan0(to.width, to.height, to.width * 4, PixelFormat32bppPARGB,
                              reinterpret_cast<BYTE*>(out), &bitmap);
    const GdiPlusImage output(&api, bitmap);
    GdiPlusGraphics g{&api};
    GpImageAttributes* edges = nullptr;
    if (!input.image || !output.image ||
        api.GetImageGraphicsContext(output.image, &g.graphics) != Ok ||
        api.CreateImageAttributes(&edges) != Ok) {
        return nullptr;
    }
    api.SetImageAttributesWrapMode(edges, WrapModeTileFlipXY, 0xFF000000, FALSE);
    api.SetCompositingMode(g.graphics, CompositingModeSourceCopy);
    api.SetInterpolationMode(g.graphics, InterpolationModeHighQualityBicubic);
    api.SetPixelOffsetMode(g.graphics, PixelOffsetModeHalf);
    const GpStatus status =
        api.DrawImageRectRectI(g.graphics, input.image, 0, 0, to.width, to.height, 0, 0, from.width,
                               from.height, UnitPixel, edges, nullptr, nullptr);
    api.Flush(g.graphics, FlushIntentionSync);
    api.DisposeImageAttributes(edges);
    return status == Ok ? std::move(dib) : nullptr;
}

}  // namespace

const DecodedPicture* ScaledPictures::Get(const std::u16string& path,
                                          const DecodedPicture& original,
                                          const ScreenScale& scale) {
    if (scale.IsIdentity()) {
        return &original;
    }
    if (scale.Dpi() != dpi_) {
        cache_.clear();
        dpi_ = scale.Dpi();
    }
    auto it = cache_.find(path);
    const GdiPlusApi* api = nullptr;
    if (it == cache_.end() || (original.keyed && !it->second.keyed)) {
        if (!gdiplus_) {
            gdiplus_.emplace();
        }
        api = gdiplus_->Api();
        if (!api) {
            return nullptr;
        }
    }
    if (it == cache_.end()) {
        DecodedPicture scaled;
        scaled.size = scale.ToScreen(original.size);
        scaled.opaque = original.opaque;
        if (scaled.size.width <= 0 || scaled.size.height <= 0) {
            return nullptr;
        }
        scaled.dib = Resample(*api, original.dib.get(), original.size, scaled.size);
        if (!scaled.dib) {
            return nullptr;
        }
        it = cache_.emplace(path, std::move(scaled)).first;
    }
    DecodedPicture& scaled = it->second;
    // The see-through copy comes when the original has one.
    if (original.keyed && !scaled.keyed) {
        scaled.keyed = Resample(*api, original.keyed.get(), original.size, scaled.size);
        if (!scaled.keyed) {
            return nullptr;
        }
    }
    return &scaled;
}
