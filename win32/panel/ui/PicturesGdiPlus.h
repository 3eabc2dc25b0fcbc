// The window's pictures, decoded once with GDI+ (BMP, PNG, JPEG, GIF and whatever else it reads)
// and kept by path, ready to draw: painting never decodes.
#pragma once

#include <windows.h>

// The lean Windows headers leave out what GDI+ needs.
#include <objidl.h>

#include <gdiplus.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "GdiHandles.h"
#include "Pictures.h"

// Pixels are premultiplied 32-bpp DIB sections, top row first, so painting is a plain GDI
// blit; the GDI+ bitmap is a view of the same memory.
struct DecodedPicture {
    UniqueBitmap dib;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;  // over dib's pixels: destroyed first
    // For a picture without alpha: a copy with its bottom-left pixel's colour see-through, for
    // images drawn transparent. Null when the picture has alpha of its own.
    UniqueBitmap keyed;
    Size size;
    bool opaque = true;  // no pixel lets what is below show
    // Memory DCs holding dib and keyed for blitting, made on the first paint and kept: selecting
    // the picture into a shared DC for every blit costs more than the blit. Declared last, so
    // they let go of the bitmaps before these are deleted.
    mutable UniqueDc dibDc;
    mutable UniqueDc keyedDc;
};

// Needs a live GdiPlusSession.
class PicturesGdiPlus : public IPictures {
public:
    bool Load(const std::u16string& path, Size* size) override;

    // Null when the path was never loaded successfully.
    const Gdiplus::Bitmap* Find(const std::u16string& path) const;
    const DecodedPicture* Picture(const std::u16string& path) const;

private:
    std::unordered_map<std::u16string, DecodedPicture> cache_;
};
