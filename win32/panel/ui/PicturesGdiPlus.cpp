#include "PicturesGdiPlus.h"

#include <cstdint>

#include "WideText.h"

namespace {

using Gdiplus::Bitmap;
using Gdiplus::BitmapData;

uint32_t Premultiplied(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) {
        return argb;
    }
    auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
           scale(argb & 0xFF);
}

// Straight ARGB rows of a picture, top row first.
class LockedPixels {
public:
    LockedPixels(Bitmap& bitmap, Gdiplus::ImageLockMode mode, Gdiplus::PixelFormat format)
        : bitmap_(bitmap) {
        Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()),
                          static_cast<INT>(bitmap.GetHeight()));
        locked_ = bitmap.LockBits(&all, mode, format, &data_) == Gdiplus::Ok;
    }
    ~LockedPixels() {
        if (locked_)
            bitmap_.UnlockBits(&data_);
    }
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;

    bool ok() const { return locked_; }
    uint32_t* Row(UINT y) const {
        return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data_.Scan0) +
                                           static_cast<ptrdiff_t>(y) * data_.Stride);
    }

private:
    Bitmap& bitmap_;
    BitmapData data_{};
    bool locked_ = false;
};

// A premultiplied top-down DIB of the straight pixels; with keyed, pixels of the key colour are
// cleared.
UniqueBitmap Convert(const LockedPixels& source, UINT width, UINT height, bool keyed, uint32_t key,
                     uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!dib) {
        return nullptr;
    }
    auto* out = static_cast<uint32_t*>(memory);
    for (UINT y = 0; y < height; ++y) {
        const uint32_t* in = source.Row(y);
        for (UINT x = 0; x < width; ++x) {
            const bool clear = keyed && (in[x] & 0xFFFFFF) == key;
            *out++ = clear ? 0 : Premultiplied(in[x]);
        }
    }
    if (bits) {
        *bits = static_cast<uint32_t*>(memory);
    }
    return dib;
}

bool HasAlpha(const LockedPixels& pixels, UINT width, UINT height) {
    for (UINT y = 0; y < height; ++y) {
        const uint32_t* row = pixels.Row(y);
        for (UINT x = 0; x < width; ++x) {
            if ((row[x] >> 24) != 255) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool PicturesGdiPlus::Load(const std::u16string& path, Size* size) {
    auto cached = cache_.find(path);
    if (cached == cache_.end()) {
        // The decoder keeps the file open while the bitmap lives: convert, then let it go.
        std::unique_ptr<Bitmap> decoded(Bitmap::FromFile(W(path)));
        if (!decoded || decoded->GetLastStatus() != Gdiplus::Ok) {
            return false;
        }
        const UINT width = decoded->GetWidth();
        const UINT height = decoded->GetHeight();
        if (width == 0 || height == 0) {
            return false;
        }
        LockedPixels pixels(*decoded, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB);
        if (!pixels.ok()) {
            return false;
        }
        DecodedPicture picture;
        picture.size = {static_cast<int>(width), static_cast<int>(height)};
        picture.opaque = !HasAlpha(pixels, width, height);
        uint32_t* bits = nullptr;
        picture.dib = Convert(pixels, width, height, false, 0, &bits);
        if (!picture.dib) {
            return false;
        }
        picture.bitmap = std::make_unique<Bitmap>(
            static_cast<INT>(width), static_cast<INT>(height), static_cast<INT>(width * 4),
            PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits));
        if (picture.bitmap->GetLastStatus() != Gdiplus::Ok) {
            return false;
        }
        if (picture.opaque) {
            const uint32_t key = pixels.Row(height - 1)[0] & 0xFFFFFF;
            picture.keyed = Convert(pixels, width, height, true, key, nullptr);
            if (!picture.keyed) {
                return false;
            }
        }
        cached = cache_.emplace(path, std::move(picture)).first;
    }
    if (size) {
        *size = cached->second.size;
    }
    return true;
}

const Gdiplus::Bitmap* PicturesGdiPlus::Find(const std::u16string& path) const {
    const DecodedPicture* picture = Picture(path);
    return picture ? picture->bitmap.get() : nullptr;
}

const DecodedPicture* PicturesGdiPlus::Picture(const std::u16string& path) const {
    auto it = cache_.find(path);
    return it == cache_.end() ? nullptr : &it->second;
}
