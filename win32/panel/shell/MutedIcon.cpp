#include "MutedIcon.h"

#include <algorithm>
#include <cstring>

namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc)
            ReleaseDC(nullptr, dc);
    }
};

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A bitmap's rows as 32-bit pixels (a monochrome one as black and white); false when unreadable.
bool Read32(HDC dc, HBITMAP bitmap, int width, int height, std::vector<uint32_t>& pixels) {
    BITMAPINFO info = TopDown32(width, height);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                     DIB_RGB_COLORS) == height;
}

}  // namespace

ArgbImage IconPixels(HICON icon) {
    ArgbImage image;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return image;
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP maskInfo{};
    if (!mask || !GetObjectW(mask.get(), sizeof maskInfo, &maskInfo))
        return image;
    const int width = maskInfo.bmWidth;
    // A monochrome icon's mask holds the AND half above the XOR half.
    const int height = colour ? maskInfo.bmHeight : maskInfo.bmHeight / 2;
    if (width <= 0 || height <= 0)
        return image;
    ScreenDc screen;
    std::vector<uint32_t> andBits;
    if (!Read32(screen.dc, mask.get(), width, maskInfo.bmHeight, andBits))
        return image;
    std::vector<uint32_t> pixels;
    if (colour) {
        if (!Read32(screen.dc, colour.get(), width, height, pixels))
            return image;
    } else {
        pixels.assign(andBits.begin() + static_cast<ptrdiff_t>(width) * height, andBits.end());
    }
    const bool hasAlpha =
        colour && std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p >> 24; });
    if (!hasAlpha) {
        // Where the mask is set the screen shows through.
        for (size_t i = 0; i < pixels.size(); ++i) {
            const bool clear = (andBits[i] & 0xFFFFFF) != 0;
            pixels[i] = clear ? 0 : (pixels[i] & 0xFFFFFF) | 0xFF000000u;
        }
    }
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    return image;
}

UniqueIcon IconFromPixels(const ArgbImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return nullptr;
    ScreenDc screen;
    BITMAPINFO info = TopDown32(image.width, image.height);
    void* bits = nullptr;
    UniqueBitmap colour(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits)
        return nullptr;
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
    // The mask for those who draw without alpha: set where the pixel is fully transparent. Rows
    // of a monochrome bitmap are padded to 16 bits.
    const int stride = ((image.width + 15) / 16) * 2;
    std::vector<uint8_t> maskBits(static_cast<size_t>(stride) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if ((image.At(x, y) >> 24) == 0)
                maskBits[static_cast<size_t>(y * stride + x / 8)] |= 0x80 >> (x % 8);
        }
    }
    UniqueBitmap mask(CreateBitmap(image.width, image.height, 1, 1, maskBits.data()));
    if (!mask)
        return nullptr;
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmColor = colour.get();
    icon.hbmMask = mask.get();
    // The icon holds copies: the bitmaps go with this scope.
    return UniqueIcon(CreateIconIndirect(&icon));
}

UniqueIcon MakeMutedIcon(HICON base) {
    ArgbImage image = IconPixels(base);
    if (image.pixels.empty())
        return nullptr;
    DrawMutedBadge(image);
    return IconFromPixels(image);
}
