// Pictures decoded into the cache: the product's skins decoded in the program exactly as GDI+
// decodes them, files only GDI+ reads, files that cannot be read, the see-through copy of
// pictures without alpha, pixels let go and decoded again.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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
    // A skin of PNG files never needs GDI+.
    EXPECT_FALSE(GdiPlusSession::Loaded());
}

// The pixels of a decoded DIB, top row first.
const uint32_t* Pixels(HBITMAP dib) {
    DIBSECTION section{};
    return GetObjectW(dib, sizeof section, &section) == sizeof section
               ? static_cast<const uint32_t*>(section.dsBm.bmBits)
               : nullptr;
}

TEST_F(PicturesWin32Test, ProgramDecodesBothSkinsAsGdiPlusDid) {
    int count = 0;
    for (const char* skin : {"product/Skin/Graphite", "product/Skin/Aurora"}) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(W(SourcePath(skin))))) {
            std::wstring extension = entry.path().extension().wstring();
            for (wchar_t& c : extension) {
                c = static_cast<wchar_t>(towlower(c));
            }
            if (extension != L".png" && extension != L".bmp") {
                continue;
            }
            const std::u16string path = U16(entry.path().c_str());
            const auto ours = DecodeInProgram(path);
            const auto system = DecodeWithGdiPlus(path, gdiplus);
            ASSERT_TRUE(ours && system) << Narrow(path);
            ASSERT_EQ(ours->size.width, system->size.width) << Narrow(path);
            ASSERT_EQ(ours->size.height, system->size.height) << Narrow(path);
            EXPECT_EQ(ours->opaque, system->opaque) << Narrow(path);
            const uint32_t* a = Pixels(ours->dib.get());
            const uint32_t* b = Pixels(system->dib.get());
            ASSERT_TRUE(a && b);
            const size_t pixels = static_cast<size_t>(ours->size.width) * ours->size.height;
            size_t first = 0;
            while (first < pixels && a[first] == b[first]) {
                ++first;
            }
            EXPECT_EQ(first, pixels) << Narrow(path) << ": pixel " << first << " is " << std::hex
                                     << a[first] << ", GDI+ gave " << b[first];
            ++count;
        }
    }
    EXPECT_GT(count, 200);
}

// A 2 x 1 BMP of 32 bits a pixel, whose fourth byte the program leaves GDI+ to interpret.
std::string Bmp32() {
    std::string out = "BM";
    auto put = [&out](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(54 + 8, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(2, 4);
    put(1, 4);
    put(1, 2);
    put(32, 2);
    for (int i = 0; i < 6; ++i) {
        put(0, 4);
    }
    put(0x00FF0000, 4);
    put(0x000000FF, 4);
    return out;
}

TEST_F(PicturesWin32Test, FilesOnlyGdiPlusReadsStillLoadAndLetItGo) {
    const std::u16string path = folder.Write(u"alpha.bmp", Bmp32());
    Size size;
    ASSERT_TRUE(pictures.Load(path, &size));
    EXPECT_EQ(size.width, 2);
    EXPECT_EQ(size.height, 1);
    EXPECT_TRUE(GdiPlusSession::Loaded());
    pictures.Release();
    EXPECT_FALSE(GdiPlusSession::Loaded());
    EXPECT_EQ(GetModuleHandleW(L"gdiplus.dll"), nullptr);
    const DecodedPicture* picture = pictures.Picture(path);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size.width, 2);
    EXPECT_EQ(Pixels(picture->dib.get())[0] & 0xFFFFFF, 0xFF0000u);
    pictures.Release();
    EXPECT_FALSE(GdiPlusSession::Loaded());
}

TEST_F(PicturesWin32Test, MissingOrCorruptFilesAreRefused) {
    const std::u16string corrupt = folder.Write(u"corrupt.png", "\x89PNG\r\n\x1a\n not really");
    const std::u16string text = folder.Write(u"text.bmp", "BM but no picture at all");
    for (const std::u16string& path : {folder.File(u"missing.png"), corrupt, text}) {
        Size size{-1, -1};
        EXPECT_FALSE(pictures.Load(path, &size)) << Narrow(path);
        EXPECT_EQ(pictures.Picture(path), nullptr);
    }

    // A header that reads gives the size; data broken behind it paints nothing.
    std::ifstream in(fs::path(W(SourcePath("product/Skin/Graphite/CloseUp.png"))),
                     std::ios::binary);
    std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(png.size(), 200u);
    const std::u16string cut = folder.Write(u"cut.png", png.substr(0, png.size() / 2));
    Size size;
    EXPECT_TRUE(pictures.Load(cut, &size));
    EXPECT_GT(size.width, 0);
    EXPECT_EQ(pictures.Picture(cut), nullptr);
    EXPECT_EQ(pictures.Picture(cut), nullptr);
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
