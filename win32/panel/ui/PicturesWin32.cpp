#include "PicturesWin32.h"

#include <cstddef>
#include <cstdint>

// The lean Windows headers leave out what GDI+ needs.
#include <objidl.h>

#include <gdiplus.h>

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

// A premultiplied top-down DIB section of this size.
UniqueBitmap NewDib(UINT width, UINT height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    *bits = static_cast<uint32_t*>(memory);
    return dib;
}

// A premultiplied DIB of the straight pixels.
UniqueBitmap Convert(const LockedPixels& source, UINT width, UINT height) {
    uint32_t* out = nullptr;
    UniqueBitmap dib = NewDib(width, height, &out);
    if (!dib || !out) {
        return nullptr;
    }
    for (UINT y = 0; y < height; ++y) {
        const uint32_t* in = source.Row(y);
        for (UINT x = 0; x < width; ++x) {
            *out++ = Premultiplied(in[x]);
        }
    }
    return dib;
}

// A copy of an opaque picture (premultiplied pixels are then the straight ones) with the pixels
// of its bottom-left pixel's colour cleared.
UniqueBitmap KeyedCopy(HBITMAP opaque, Size size) {
    DIBSECTION section{};
    if (GetObjectW(opaque, sizeof section, &section) != sizeof section || !section.dsBm.bmBits) {
        return nullptr;
    }
    const auto width = static_cast<UINT>(size.width);
    const auto height = static_cast<UINT>(size.height);
    const auto* in = static_cast<const uint32_t*>(section.dsBm.bmBits);
    uint32_t* out = nullptr;
    UniqueBitmap dib = NewDib(width, height, &out);
    if (!dib || !out) {
        return nullptr;
    }
    const uint32_t key = in[static_cast<size_t>(height - 1) * width] & 0xFFFFFF;
    const size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i) {
        out[i] = (in[i] & 0xFFFFFF) == key ? 0 : in[i];
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

// The file decoded into a premultiplied DIB; null when it cannot be read or decoded.
std::unique_ptr<DecodedPicture> Decode(const std::u16string& path) {
    // The decoder keeps the file open while the bitmap lives: convert, then let it go.
    std::unique_ptr<Bitmap> decoded(Bitmap::FromFile(W(path)));
    if (!decoded || decoded->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    const UINT width = decoded->GetWidth();
    const UINT height = decoded->GetHeight();
    if (width == 0 || height == 0) {
        return nullptr;
    }
    LockedPixels pixels(*decoded, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB);
    if (!pixels.ok()) {
        return nullptr;
    }
    auto picture = std::make_unique<DecodedPicture>();
    picture->size = {static_cast<int>(width), static_cast<int>(height)};
    picture->opaque = !HasAlpha(pixels, width, height);
    picture->dib = Convert(pixels, width, height);
    if (!picture->dib) {
        return nullptr;
    }
    return picture;
}

}  // namespace

bool PicturesWin32::Load(const std::u16string& path, Size* size) {
    auto cached = cache_.find(path);
    if (cached == cache_.end()) {
        std::unique_ptr<DecodedPicture> picture = Decode(path);
        if (!picture) {
            return false;
        }
        const Size decoded = picture->size;
        cached = cache_.emplace(path, Entry{decoded, std::move(picture)}).first;
    }
    if (size) {
        *size = cached->second.size;
    }
    return true;
}

const DecodedPicture* PicturesWin32::Picture(const std::u16string& path, bool keyed) {
    auto it = cache_.find(path);
    if (it == cache_.end()) {
        return nullptr;
    }
    Entry& entry = it->second;
    if (!entry.picture) {
        entry.picture = Decode(path);
        // A file changed since its first load would move what was laid out by its size.
        if (!entry.picture || entry.picture->size.width != entry.size.width ||
            entry.picture->size.height != entry.size.height) {
            entry.picture.reset();
            return nullptr;
        }
    }
    DecodedPicture& picture = *entry.picture;
    if (keyed && picture.opaque && !picture.keyed) {
        picture.keyed = KeyedCopy(picture.dib.get(), picture.size);
    }
    return &picture;
}

void PicturesWin32::Release(const std::unordered_set<std::u16string>& keep) {
    for (auto& [path, entry] : cache_) {
        if (entry.picture && keep.count(path) == 0) {
            entry.picture.reset();
        }
    }
}

size_t PicturesWin32::Decoded() const {
    size_t count = 0;
    for (const auto& [path, entry] : cache_) {
        count += entry.picture ? 1 : 0;
    }
    return count;
}
