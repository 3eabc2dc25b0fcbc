// Pictures decoded by GDI+ into the cache: the product's skin, files that cannot be read, and
// the see-through copy of pictures without alpha.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "GdiPlusSession.h"
#include "PicturesGdiPlus.h"
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

class PicturesGdiPlusTest : public ::testing::Test {
protected:
    GdiPlusSession gdiplus;
    PicturesGdiPlus pictures;
    TempFolder folder;
};

TEST_F(PicturesGdiPlusTest, EveryGraphitePictureLoadsWithItsSize) {
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
        ASSERT_NE(pictures.Find(path), nullptr);
        ++count;
    }
    EXPECT_GT(count, 50);

    // Alpha of its own: no colour-keyed copy.
    const DecodedPicture* close = pictures.Picture(skin + u"\\CloseUp.png");
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(close->opaque);
    EXPECT_FALSE(close->keyed);
}

TEST_F(PicturesGdiPlusTest, MissingOrCorruptFilesAreRefused) {
    const std::u16string corrupt = folder.Write(u"corrupt.png", "\x89PNG\r\n\x1a\n not really");
    const std::u16string text = folder.Write(u"text.bmp", "BM but no picture at all");
    for (const std::u16string& path : {folder.File(u"missing.png"), corrupt, text}) {
        Size size{-1, -1};
        EXPECT_FALSE(pictures.Load(path, &size)) << Narrow(path);
        EXPECT_EQ(pictures.Find(path), nullptr);
    }
}

TEST_F(PicturesGdiPlusTest, BitmapDecodedOnceAndFileLetGo) {
    const std::u16string path = folder.Write(
        u"key.bmp", Bmp24(5, 3, [](int x, int y) { return x == 0 ? 0x00FF00 : 0xFF; }));
    Size size;
    ASSERT_TRUE(pictures.Load(path, &size));
    EXPECT_EQ(size.width, 5);
    EXPECT_EQ(size.height, 3);
    const DecodedPicture* picture = pictures.Picture(path);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->opaque);
    EXPECT_TRUE(picture->keyed);
    // The GDI+ view shows the decoded pixels.
    Gdiplus::Color corner;
    ASSERT_EQ(const_cast<Gdiplus::Bitmap*>(pictures.Find(path))->GetPixel(0, 2, &corner),
              Gdiplus::Ok);
    EXPECT_EQ(corner.GetValue() & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(corner.GetA(), 255);

    // The decoder does not hold the file; the cache answers without it.
    ASSERT_TRUE(DeleteFileW(W(path)));
    Size again;
    EXPECT_TRUE(pictures.Load(path, &again));
    EXPECT_EQ(again.width, 5);
    EXPECT_EQ(pictures.Picture(path), picture);
}

}  // namespace
