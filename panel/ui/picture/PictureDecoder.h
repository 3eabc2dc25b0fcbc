// Picture files decoded in the program: PNG and uncompressed BMP up to 24 bits a pixel, the
// formats skins use, read losslessly and exactly as the system's decoder reads them. Anything else
// (other formats, BMPs with alpha or packed pixels, PNGs with 16-bit channels or a gamma to
// apply) is answered Unknown and left to the platform's decoder.
//
//   PictureSize size;
//   if (ReadPictureSize(header, headerLength, &size) == PictureRead::Ok) ... // no decoding
//   DecodePicture(file, fileLength, [&](PictureSize s) { return pixelsFor(s); }, &opaque);
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

enum class PictureRead {
    Ok,
    Unknown,  // not a format or variant read here
    Refused,  // read here, but its size is out of bounds or its data broken
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Bounds on a decoded picture, checked before anything is allocated: far beyond any skin, and
// small enough that a file declaring more cannot exhaust memory.
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;  // 256 MB at 4 bytes a pixel

// The size from the file's first bytes, without decoding. A prefix of the file is enough.
PictureRead ReadPictureSize(const uint8_t* data, size_t length, PictureSize* size);

// Where the pixels of a picture of this size go: width * height premultiplied 0xAARRGGBB
// values, top row first; null when they cannot be had.
using PixelTarget = std::function<uint32_t*(PictureSize)>;

// Decodes the whole file into the target. opaque: no pixel lets what is below show.
PictureRead DecodePicture(const uint8_t* data, size_t length, const PixelTarget& target,
                          bool* opaque);

// Alpha 255 stays as it is; otherwise each colour times alpha over 255, rounded to nearest.
inline uint32_t Premultiplied(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) {
        return argb;
    }
    auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) |
           scale(argb & 0xFF);
}
