// Pictures decoded by GDI+ into the cache: the product's skin, files that cannot be read, the
// see-through copy of pictures without alpha, pixels let go and decoded again.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "GdiPlusSession.h"
#include "PicturesWin32.h"
#include "TestBitmaps.h"
#include "TestFiles.h"
#include "WideText.h"

namespace {

namespace fs = std::filesystem;

// Width and height from a PNG's header.
Size PngSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto big = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    return {big(16), big(20)};
}

class PicturesWin32Test : public ::testing::Test {
protected:
    GdiPlusSession gdiplus;
    PicturesWin32 pictures;
    TempFolder folder;
};

TEST_F(PicturesWin32Test, EveryGraphitePictureLoadsWithItsSize) {
    ASSERT_TRUE(gdiplus.Started());
    const std::u16string skin = SourcePath("product/Skin/Graphite");
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(W(skin)))) {
        if (entry.path().extension() != ".png") {
            continue;
        }
        const std::u16string path = U16(entry.path().c_str());
        Size size;
        ASSERT_TRUE(pictures.Load(path, &size)) << Narrow(path);
        const Size expected = PngSize(entry.path());
        EXPECT_EQ(size.width, expected.width) << Narrow(path);
        EXPECT_EQ(size.height, expected.height) << Narrow(path);
        ASSERT_NE(pictures.Picture(path), nullptr);
        ++count;
    }
    EXPECT_GT(count, 50);

    // Alpha of its own: no colour-keyed copy.
    const DecodedPicture* close = pictures.Picture(skin + u"\\CloseUp.png", true);
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(close->opaque);
    EXPECT_FALSE(close->keyed);
}

TEST_F(PicturesWin32Test, MissingOrCorruptFilesAreRefused) {
    const std::u16string corrupt = folder.Write(u"corrupt.png", "\x89PNG\r\n\x1a\n not really");
    const std::u16string text = folder.Write(u"text.bmp", "BM but no picture at all");
    for (const std::u16string& path : {folder.File(u"missing.png"), corrupt, text}) {
        Size size{-1, -1};
        EXPECT_FALSE(pictures.Load(path, &size)) << Narrow(path);
        EXPECT_EQ(pictures.Picture(path), nullptr);
    }
}

// The pixels of a decoded DIB, top row first.
const uint32_t* Pixels(HBITMAP dib) {
    DIBSECTION section{};
    return GetObjectW(dib, sizeof section, &section) == sizeof section
               ? static_cast<const uint32_t*>(section.dsBm.bmBits)
               : nullptr;
}

TEST_F(PicturesWin32Test, BitmapDecodedOnceAndFileLetGo) {
    const std::u16string path = folder.Write(
        u"key.bmp", Bmp24(5, 3, [](int x, int y) { return x == 0 ? 0x00FF00 : 0xFF; }));
    Size size;
    ASSERT_TRUE(pictures.Load(path, &size));
    EXPECT_EQ(size.width, 5);
    EXPECT_EQ(size.height, 3);
    const DecodedPicture* picture = pictures.Picture(path);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->opaque);
    EXPECT_FALSE(picture->keyed);  // only when drawn transparent
    const uint32_t* pixels = Pixels(picture->dib.get());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[2 * 5], 0xFF00FF00u);  // bottom-left, opaque
    EXPECT_EQ(pixels[2 * 5 + 1], 0xFF0000FFu);

    // The see-through copy clears the bottom-left colour and keeps the rest.
    ASSERT_EQ(pictures.Picture(path, true), picture);
    const uint32_t* keyed = Pixels(picture->keyed.get());
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed[0], 0u);
    EXPECT_EQ(keyed[1], 0xFF0000FFu);

    // The decoder does not hold the file; the cache answers without it while it keeps the
    // pixels, and still knows the size once they are let go.
    ASSERT_TRUE(DeleteFileW(W(path)));
    Size again;
    EXPECT_TRUE(pictures.Load(path, &again));
    EXPECT_EQ(again.width, 5);
    EXPECT_EQ(pictures.Picture(path), picture);
    pictures.Release();
    EXPECT_EQ(pictures.Decoded(), 0u);
    EXPECT_TRUE(pictures.Load(path, &again));
    EXPECT_EQ(again.height, 3);
    EXPECT_EQ(pictures.Picture(path), nullptr);  // nothing to decode again from
}

TEST_F(PicturesWin32Test, ReleasedPicturesComeBackFromTheirFiles) {
    const std::u16string kept =
        folder.Write(u"kept.bmp", Bmp24(4, 4, [](int, int) { return 0xFF0000; }));
    const std::u16string freed = folder.Write(
        u"freed.bmp", Bmp24(6, 2, [](int x, int) { return x < 3 ? 0x0000FF : 0x00FF00; }));
    ASSERT_TRUE(pictures.Load(kept, nullptr));
    ASSERT_TRUE(pictures.Load(freed, nullptr));
    const DecodedPicture* before = pictures.Picture(kept);
    pictures.Release({kept});
    EXPECT_EQ(pictures.Decoded(), 1u);
    EXPECT_EQ(pictures.Picture(kept), before);

    const DecodedPicture* back = pictures.Picture(freed, true);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->size.width, 6);
    const uint32_t* pixels = Pixels(back->dib.get());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 0xFF0000FFu);
    EXPECT_EQ(pixels[11], 0xFF00FF00u);
    ASSERT_TRUE(back->keyed);
    EXPECT_EQ(Pixels(back->keyed.get())[0], 0u);

    // A file that changed its size since it was laid out is not painted.
    pictures.Release();
    folder.Write(u"freed.bmp", Bmp24(3, 3, [](int, int) { return 0xFF; }));
    EXPECT_EQ(pictures.Picture(freed), nullptr);
}

}  // namespace
