#include "PicturesWin32.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GdiPlusSession.h"
#include "Handles.h"
#include "PictureDecoder.h"
#include "WideText.h"

namespace {

// Enough for any picture header the program reads.
constexpr DWORD kHeaderBytes = 64 * 1024;
// Larger files are not pictures a skin has.
constexpr LONGLONG kMaxFileBytes = 64 * 1024 * 1024;

// The file's first limit bytes, or all of it when shorter; false when it cannot be read or is
// too large to be a picture.
bool ReadBytes(const std::u16string& path, LONGLONG limit, std::vector<uint8_t>* bytes) {
    const UniqueHandle file =
        MakeUniqueHandle(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileBytes) {
        return false;
    }
    const auto wanted = static_cast<DWORD>(size.QuadPart < limit ? size.QuadPart : limit);
    bytes->resize(wanted);
    DWORD read = 0;
    if (wanted > 0 && !ReadFile(file.get(), bytes->data(), wanted, &read, nullptr)) {
        return false;
    }
    bytes->resize(read);
    return true;
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

// Straight ARGB rows of a GDI+ bitmap, top row first.
class LockedPixels {
public:
    LockedPixels(const GdiPlusApi& api, Gdiplus::GpBitmap* bitmap, UINT width, UINT height)
        : api_(api), bitmap_(bitmap) {
        const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        locked_ = api.BitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                                     &data_) == Gdiplus::Ok;
    }
    ~LockedPixels() {
        if (locked_)
            api_.BitmapUnlockBits(bitmap_, &data_);
    }
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;

    bool ok() const { return locked_; }
    const uint32_t* Row(UINT y) const {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data_.Scan0) +
                                                 static_cast<ptrdiff_t>(y) * data_.Stride);
    }

private:
    const GdiPlusApi& api_;
    Gdiplus::GpBitmap* bitmap_;
    Gdiplus::BitmapData data_{};
    bool locked_ = false;
};

}  // namespace

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

std::unique_ptr<DecodedPicture> DecodeInProgram(const std::u16string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadBytes(path, kMaxFileBytes, &bytes)) {
        return nullptr;
    }
    auto picture = std::make_unique<DecodedPicture>();
    auto target = [&picture](PictureSize size) -> uint32_t* {
        uint32_t* bits = nullptr;
        picture->dib = NewDib(static_cast<UINT>(size.width), static_cast<UINT>(size.height), &bits);
        picture->size = {size.width, size.height};
        return picture->dib ? bits : nullptr;
    };
    if (DecodePicture(bytes.data(), bytes.size(), target, &picture->opaque) != PictureRead::Ok) {
        return nullptr;
    }
    return picture;
}

std::unique_ptr<DecodedPicture> DecodeWithGdiPlus(const std::u16string& path,
                                                  GdiPlusSession& session) {
    const GdiPlusApi* api = session.Api();
    if (!api) {
        return nullptr;
    }
    // The decoder keeps the file open while the bitmap lives: convert, then let it go.
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (api->CreateBitmapFromFile(W(path), &bitmap) != Gdiplus::Ok || !bitmap) {
        return nullptr;
    }
    const GdiPlusImage owned(api, bitmap);
    UINT width = 0;
    UINT height = 0;
    if (api->GetImageWidth(bitmap, &width) != Gdiplus::Ok ||
        api->GetImageHeight(bitmap, &height) != Gdiplus::Ok || width == 0 || height == 0 ||
        width > kMaxPictureSide || height > kMaxPictureSide ||
        int64_t{width} * height > kMaxPicturePixels) {
        return nullptr;
    }
    const LockedPixels pixels(*api, bitmap, width, height);
    if (!pixels.ok()) {
        return nullptr;
    }
    auto picture = std::make_unique<DecodedPicture>();
    picture->size = {static_cast<int>(width), static_cast<int>(height)};
    uint32_t* out = nullptr;
    picture->dib = NewDib(width, height, &out);
    if (!picture->dib || !out) {
        return nullptr;
    }
    bool seeThrough = false;
    for (UINT y = 0; y < height; ++y) {
        const uint32_t* in = pixels.Row(y);
        for (UINT x = 0; x < width; ++x) {
            seeThrough |= (in[x] >> 24) != 255;
            *out++ = Premultiplied(in[x]);
        }
    }
    picture->opaque = !seeThrough;
    return picture;
}

std::unique_ptr<DecodedPicture> PicturesWin32::Decode(const std::u16string& path, Entry& entry) {
    if (!entry.bySystem) {
        if (auto picture = DecodeInProgram(path)) {
            return picture;
        }
    }
    // What the program does not read, or cannot after all, the system may.
    if (!gdiplus_) {
        gdiplus_.emplace();
    }
    return DecodeWithGdiPlus(path, *gdiplus_);
}

bool PicturesWin32::Load(const std::u16string& path, Size* size) {
    auto cached = cache_.find(path);
    if (cached == cache_.end()) {
        // The size from the header where the program reads the file: it is decoded when first
        // painted. Other files are decoded now, which is the only way to learn their size.
        std::vector<uint8_t> header;
        if (!ReadBytes(path, kHeaderBytes, &header)) {
            return false;
        }
        PictureSize read;
        Entry entry;
        switch (ReadPictureSize(header.data(), header.size(), &read)) {
            case PictureRead::Ok:
                entry.size = {read.width, read.height};
                break;
            case PictureRead::Refused:
                return false;
            case PictureRead::Unknown:
                entry.bySystem = true;
                entry.picture = Decode(path, entry);
                if (!entry.picture) {
                    return false;
                }
                entry.size = entry.picture->size;
                break;
        }
        cached = cache_.emplace(path, std::move(entry)).first;
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
        entry.picture = Decode(path, entry);
        // A file broken past its header, or changed since it was loaded, would paint garbage
        // or move what was laid out by its size: it paints nothing, as a missing one.
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
    gdiplus_.reset();
}

size_t PicturesWin32::Decoded() const {
    size_t count = 0;
    for (const auto& [path, entry] : cache_) {
        count += entry.picture ? 1 : 0;
    }
    return count;
}
