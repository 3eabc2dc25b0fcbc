#include "PictureDecoder.h"

#include <climits>
#include <cstring>
#include <memory>

// The decoder's implementation lives in this file only, with just the formats read here and no
// file access of its own: files are read by the caller, with whatever paths its platform has.
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace {

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint32_t LittleEndian32(const uint8_t* p) {
    return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

uint16_t LittleEndian16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

bool WithinBounds(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

// A PNG read here: 8-bit channels at most (16-bit ones are narrowed differently by decoders),
// no gamma before its pixel data (a decoder may apply it) and a first data chunk that is not empty.
// The chunks are looked at as far as the bytes given reach.
PictureRead Png(const uint8_t* data, size_t length) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (length < 8 || std::memcmp(data, kSignature, 8) != 0) {
        return PictureRead::Unknown;
    }
    size_t at = 8;
    while (length - at >= 8) {
        const uint32_t size = BigEndian32(data + at);
        const uint8_t* type = data + at + 4;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (size < 13 || length - at < 8 + 13 || data[at + 16] > 8) {
                return PictureRead::Unknown;
            }
            if (!WithinBounds(BigEndian32(data + at + 8), BigEndian32(data + at + 12))) {
                return PictureRead::Refused;
            }
        } else if (std::memcmp(type, "gAMA", 4) == 0) {
            return PictureRead::Unknown;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            // An empty one is legal, but the decoder would copy its no bytes from a buffer it
            // never made: left to the system.
            return size == 0 ? PictureRead::Unknown : PictureRead::Ok;
        }
        if (size > length - at - 8 || length - at - 8 - size < 4) {
            break;  // the rest was not given
        }
        at += 12 + size;
    }
    return PictureRead::Ok;
}

// A BMP read here: palette or 24-bit pixels, uncompressed. 32-bit and packed pixels are left
// to the system, which decides itself whether their fourth byte is alpha.
PictureRead Bmp(const uint8_t* data, size_t length) {
    if (length < 30 || data[0] != 'B' || data[1] != 'M') {
        return PictureRead::Unknown;
    }
    const uint32_t header = LittleEndian32(data + 14);
    int64_t width = 0;
    int64_t height = 0;
    uint16_t bits = 0;
    uint32_t compression = 0;
    if (header == 12) {
        width = LittleEndian16(data + 18);
        height = LittleEndian16(data + 20);
        bits = LittleEndian16(data + 24);
    } else if ((header == 40 || header == 56 || header == 108 || header == 124) && length >= 34) {
        width = static_cast<int32_t>(LittleEndian32(data + 18));
        height = static_cast<int32_t>(LittleEndian32(data + 22));
        height = height < 0 ? -height : height;  // top row first
        bits = LittleEndian16(data + 28);
        compression = LittleEndian32(data + 30);
    } else {
        return PictureRead::Unknown;
    }
    if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24)) {
        return PictureRead::Unknown;
    }
    return WithinBounds(width, height) ? PictureRead::Ok : PictureRead::Refused;
}

// Ok with the size when the header reads; Unknown when it does not, so the system may try.
PictureRead Header(const uint8_t* data, size_t length, PictureSize* size) {
    if (length > INT_MAX) {
        return PictureRead::Refused;
    }
    const PictureRead png = Png(data, length);
    const PictureRead format = png != PictureRead::Unknown ? png : Bmp(data, length);
    if (format != PictureRead::Ok) {
        return format;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, static_cast<int>(length), &width, &height, &channels)) {
        return PictureRead::Unknown;
    }
    if (!WithinBounds(width, height)) {
        return PictureRead::Refused;
    }
    *size = {width, height};
    return PictureRead::Ok;
}

// A BMP's pixel rows must all be in the file: the decoder would read zeros past its end.
bool BmpComplete(const uint8_t* data, size_t length) {
    if (length < 30 || data[0] != 'B' || data[1] != 'M') {
        return true;  // not a BMP
    }
    const bool core = LittleEndian32(data + 14) == 12;
    const int64_t width =
        core ? LittleEndian16(data + 18) : static_cast<int32_t>(LittleEndian32(data + 18));
    int64_t height =
        core ? LittleEndian16(data + 20) : static_cast<int32_t>(LittleEndian32(data + 22));
    height = height < 0 ? -height : height;
    const int64_t bits = LittleEndian16(data + (core ? 24 : 28));
    const int64_t stride = (width * bits + 31) / 32 * 4;
    return LittleEndian32(data + 10) + stride * height <= static_cast<int64_t>(length);
}

// Every PNG chunk must lie within the file: the decoder makes room for a chunk's data as its
// length claims, before it reads any of it.
bool PngChunksFit(const uint8_t* data, size_t length) {
    if (length < 8 || data[0] != 0x89 || data[1] != 'P') {
        return true;  // not a PNG
    }
    size_t at = 8;
    while (length - at >= 8) {
        const uint32_t size = BigEndian32(data + at);
        if (size > length - at - 8 || length - at - 8 - size < 4) {
            return false;
        }
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) {
            break;
        }
        at += 12 + size;
    }
    return true;
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

PictureRead ReadPictureSize(const uint8_t* data, size_t length, PictureSize* size) {
    PictureSize read;
    const PictureRead result = Header(data, length, &read);
    if (result == PictureRead::Ok && size) {
        *size = read;
    }
    return result;
}

PictureRead DecodePicture(const uint8_t* data, size_t length, const PixelTarget& target,
                          bool* opaque) {
    PictureSize size;
    const PictureRead header = Header(data, length, &size);
    if (header != PictureRead::Ok) {
        return header;
    }
    if (!BmpComplete(data, length) || !PngChunksFit(data, length)) {
        return PictureRead::Refused;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(data, static_cast<int>(length), &width, &height, &channels, 4));
    if (!rgba || width != size.width || height != size.height) {
        return PictureRead::Refused;
    }
    uint32_t* out = target(size);
    if (!out) {
        return PictureRead::Refused;
    }
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    const stbi_uc* in = rgba.get();
    bool seeThrough = false;
    for (size_t i = 0; i < count; ++i, in += 4) {
        const uint32_t argb =
            (uint32_t{in[3]} << 24) | (uint32_t{in[0]} << 16) | (uint32_t{in[1]} << 8) | in[2];
        seeThrough |= in[3] != 255;
        out[i] = Premultiplied(argb);
    }
    if (opaque) {
        *opaque = !seeThrough;
    }
    return PictureRead::Ok;
}
