// The window's pictures as bitmaps ready to blit. PNG and plain BMP files are decoded in the
// program: loading reads only their header for the size, and the pixels are decoded when first
// painted. Other files (JPEG, GIF, TIFF, odd BMPs) are decoded by GDI+ when loaded, which is how
// their size is learnt. Pixels may be let go while the window does not need them (hidden in the
// tray, another skin) and are decoded again from the file when next painted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "GdiHandles.h"
#include "GdiPlusSession.h"
#include "Pictures.h"

// Pixels are premultiplied 32-bpp DIB sections, top row first, so painting is a plain GDI blit.
struct DecodedPicture {
    UniqueBitmap dib;
    // For a picture without alpha drawn transparent: a copy with its bottom-left pixel's colour
    // see-through, made when first asked for. Never made for a picture with alpha of its own.
    UniqueBitmap keyed;
    Size size;
    bool opaque = true;  // no pixel lets what is below show
    // Memory DCs holding dib and keyed for blitting, made on the first paint and kept with them:
    // selecting the picture into a shared DC for every blit costs more than the blit. Last, so
    // they let go of the bitmaps before these are deleted.
    mutable UniqueDc dibDc;
    mutable UniqueDc keyedDc;
};

// The file decoded in the program; null when it is not a file read there, or broken.
std::unique_ptr<DecodedPicture> DecodeInProgram(const std::u16string& path);
// The file decoded by GDI+, started in session if it is not yet; null when it cannot be.
std::unique_ptr<DecodedPicture> DecodeWithGdiPlus(const std::u16string& path,
                                                  GdiPlusSession& session);

// A premultiplied top-down 32-bpp DIB section of this size, its pixels cleared.
UniqueBitmap NewDib(UINT width, UINT height, uint32_t** bits);

class PicturesWin32 : public IPictures {
public:
    // Decodes a path not loaded before; a known path answers from what it knew.
    bool Load(const std::u16string& path, Size* size) override;

    // The decoded picture, decoded again if its pixels were let go; with keyed, its see-through
    // copy made where it can have one. Null when the path was never loaded successfully or
    // cannot be decoded now.
    const DecodedPicture* Picture(const std::u16string& path, bool keyed = false);

    // Lets go of the pixels of every picture not named in keep, and of GDI+; the sizes stay
    // known.
    void Release(const std::unordered_set<std::u16string>& keep = {});
    // How many pictures hold their pixels.
    size_t Decoded() const;

private:
    struct Entry {
        Size size;
        std::unique_ptr<DecodedPicture> picture;  // null: let go, or not decoded yet
        bool bySystem = false;                    // a file the program does not read
    };
    std::unique_ptr<DecodedPicture> Decode(const std::u16string& path, Entry& entry);

    std::unordered_map<std::u16string, Entry> cache_;
    std::optional<GdiPlusSession> gdiplus_;  // started for files the program does not read
};
