// The program's own picture decoder: a shipped PNG, a small BMP, and files it must refuse or
// leave to the system without allocating for a size the file only claims.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PictureDecoder.h"
#include "TestFiles.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ShippedFile(const std::string& relative) {
    std::ifstream in(HostFsPath(SourcePath(relative)), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutBig32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

void PutLittle(Bytes& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A bottom-up BMP of 2 x 2 pixels: bottom row blue, green; top row red, white.
Bytes SmallBmp(uint16_t bits = 24) {
    Bytes bmp(54 + 16, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLittle(bmp, 2, static_cast<uint32_t>(bmp.size()), 4);
    PutLittle(bmp, 10, 54, 4);
    PutLittle(bmp, 14, 40, 4);
    PutLittle(bmp, 18, 2, 4);
    PutLittle(bmp, 22, 2, 4);
    PutLittle(bmp, 26, 1, 2);
    PutLittle(bmp, 28, bits, 2);
    const uint8_t rows[16] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    std::copy(std::begin(rows), std::end(rows), bmp.begin() + 54);
    return bmp;
}

struct Decoded {
    PictureRead result = PictureRead::Unknown;
    PictureSize size;
    std::vector<uint32_t> pixels;
    bool opaque = false;
    bool asked = false;  // the target was asked for pixels
};

Decoded Decode(const Bytes& bytes) {
    Decoded out;
    out.result = DecodePicture(
        bytes.data(), bytes.size(),
        [&out](PictureSize size) {
            out.asked = true;
            out.size = size;
            out.pixels.assign(static_cast<size_t>(size.width) * size.height, 0xDEADBEEF);
            return out.pixels.data();
        },
        &out.opaque);
    return out;
}

TEST(PictureDecoderTest, ShippedPngIsPremultipliedTopDown) {
    const Bytes png = ShippedFile("product/Skin/Graphite/CloseUp.png");
    ASSERT_GT(png.size(), 100u);
    PictureSize header;
    ASSERT_EQ(ReadPictureSize(png.data(), 64, &header), PictureRead::Ok);  // a prefix is enough
    const Decoded decoded = Decode(png);
    ASSERT_EQ(decoded.result, PictureRead::Ok);
    EXPECT_EQ(decoded.size.width, header.width);
    EXPECT_EQ(decoded.size.height, header.height);
    EXPECT_FALSE(decoded.opaque);
    // Premultiplied: no colour brighter than its alpha, and every pixel written.
    for (uint32_t p : decoded.pixels) {
        const uint32_t a = p >> 24;
        ASSERT_LE((p >> 16) & 0xFF, a);
        ASSERT_LE((p >> 8) & 0xFF, a);
        ASSERT_LE(p & 0xFF, a);
    }
}

TEST(PictureDecoderTest, BmpRowsComeTopFirstAndOpaque) {
    const Decoded decoded = Decode(SmallBmp());
    ASSERT_EQ(decoded.result, PictureRead::Ok);
    ASSERT_EQ(decoded.pixels.size(), 4u);
    EXPECT_TRUE(decoded.opaque);
    EXPECT_EQ(decoded.pixels,
              (std::vector<uint32_t>{0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00}));
}

TEST(PictureDecoderTest, PremultipliedRoundsToNearest) {
    EXPECT_EQ(Premultiplied(0xFF123456), 0xFF123456u);
    EXPECT_EQ(Premultiplied(0x00FFFFFF), 0x00000000u);
    EXPECT_EQ(Premultiplied(0x80FF4001), 0x80802001u);  // 128.5 down, 32.1 down, 0.502 up
    EXPECT_EQ(Premultiplied(0x01FF7F00), 0x01010000u);  // 127/255 rounds down
}

TEST(PictureDecoderTest, BadOrForeignFilesFailCleanly) {
    const Bytes png = ShippedFile("product/Skin/Graphite/CloseUp.png");
    ASSERT_GT(png.size(), 100u);
    auto withPng = [&png](auto change) {
        Bytes bytes = png;
        change(bytes);
        return bytes;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        PictureRead header;
        PictureRead decode;
    };
    const Case cases[] = {
        {"empty", {}, PictureRead::Unknown, PictureRead::Unknown},
        {"not a picture", Bytes{'h', 'e', 'l', 'l', 'o'}, PictureRead::Unknown,
         PictureRead::Unknown},
        // Its header reads, its data does not: the size is known, the decoding fails.
        {"truncated PNG", Bytes(png.begin(), png.begin() + png.size() / 2), PictureRead::Ok,
         PictureRead::Refused},
        {"zero width", withPng([](Bytes& b) { PutBig32(b, 16, 0); }), PictureRead::Refused,
         PictureRead::Refused},
        {"huge PNG", withPng([](Bytes& b) { PutBig32(b, 16, 1u << 20); }), PictureRead::Refused,
         PictureRead::Refused},
        {"huge area", withPng([](Bytes& b) {
             PutBig32(b, 16, 16000);
             PutBig32(b, 20, 16000);
         }),
         PictureRead::Refused, PictureRead::Refused},
        {"negative width", withPng([](Bytes& b) { PutBig32(b, 16, 0x80000001u); }),
         PictureRead::Refused, PictureRead::Refused},
        // Left to the system, which may read them differently.
        {"16-bit PNG", withPng([](Bytes& b) { b[24] = 16; }), PictureRead::Unknown,
         PictureRead::Unknown},
        {"PNG with gamma", withPng([](Bytes& b) { std::copy_n("gAMA", 4, b.begin() + 37); }),
         PictureRead::Unknown, PictureRead::Unknown},
        // Legal, but the decoder would copy its no bytes from a buffer it never made.
        {"PNG whose first data chunk is empty", withPng([](Bytes& b) {
             const uint8_t empty[] = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
             b.insert(b.begin() + 33, std::begin(empty), std::end(empty));
         }),
         PictureRead::Unknown, PictureRead::Unknown},
        // Its header reads; a chunk claims more than the file holds, which must not be made
        // room for.
        {"PNG chunk longer than the file", withPng([](Bytes& b) {
             const uint8_t huge[] = {0x7F, 0xFF, 0xFF, 0x00, 'I', 'D', 'A', 'T'};
             b.insert(b.begin() + 33, std::begin(huge), std::end(huge));
         }),
         PictureRead::Ok, PictureRead::Refused},
        {"32-bit BMP", SmallBmp(32), PictureRead::Unknown, PictureRead::Unknown},
        {"huge BMP",
         [] {
             Bytes b = SmallBmp();
             PutLittle(b, 18, 1u << 30, 4);
             return b;
         }(),
         PictureRead::Refused, PictureRead::Refused},
        {"truncated BMP",
         [] {
             Bytes b = SmallBmp();
             b.resize(60);
             return b;
         }(),
         PictureRead::Ok, PictureRead::Refused},
    };
    for (const Case& c : cases) {
        PictureSize size{-1, -1};
        EXPECT_EQ(ReadPictureSize(c.bytes.data(), c.bytes.size(), &size), c.header) << c.name;
        const Decoded decoded = Decode(c.bytes);
        EXPECT_EQ(decoded.result, c.decode) << c.name;
        EXPECT_FALSE(decoded.asked) << c.name;
    }
}

}  // namespace
