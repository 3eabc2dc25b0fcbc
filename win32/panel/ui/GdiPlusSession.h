// GDI+, loaded from the system folder and started only when something first needs it, shut
// down and unloaded when the last session that started it ends. A session is a claim on it: as
// long as one lives, what it got from Api() stays valid. Not linked by import, so a window that
// never needs it never maps it (nor its codecs). The window's thread only.
//
//   GdiPlusSession gdiplus;                      // cheap: nothing is loaded yet
//   if (const GdiPlusApi* api = gdiplus.Api())   // loads and starts GDI+ once
//       api->CreateBitmapFromFile(path, &bitmap);
#pragma once

#include <windows.h>

// The lean Windows headers leave out what GDI+ needs.
#include <objidl.h>

#include <gdiplus.h>

// The flat functions used, typed from the declarations (which are not linked).
struct GdiPlusApi {
#define AUDIO_GDIPLUS_FUNCTION(name) decltype(&Gdiplus::DllExports::Gdip##name) name = nullptr;
    AUDIO_GDIPLUS_FUNCTION(CreateBitmapFromFile)
    AUDIO_GDIPLUS_FUNCTION(CreateBitmapFromScan0)
    AUDIO_GDIPLUS_FUNCTION(GetImageWidth)
    AUDIO_GDIPLUS_FUNCTION(GetImageHeight)
    AUDIO_GDIPLUS_FUNCTION(BitmapLockBits)
    AUDIO_GDIPLUS_FUNCTION(BitmapUnlockBits)
    AUDIO_GDIPLUS_FUNCTION(DisposeImage)
    AUDIO_GDIPLUS_FUNCTION(CreateFromHDC)
    AUDIO_GDIPLUS_FUNCTION(GetImageGraphicsContext)
    AUDIO_GDIPLUS_FUNCTION(DeleteGraphics)
    AUDIO_GDIPLUS_FUNCTION(SetCompositingMode)
    AUDIO_GDIPLUS_FUNCTION(SetInterpolationMode)
    AUDIO_GDIPLUS_FUNCTION(SetPixelOffsetMode)
    AUDIO_GDIPLUS_FUNCTION(DrawImageRectI)
    AUDIO_GDIPLUS_FUNCTION(DrawImageRectRectI)
    AUDIO_GDIPLUS_FUNCTION(Flush)
    AUDIO_GDIPLUS_FUNCTION(CreateImageAttributes)
    AUDIO_GDIPLUS_FUNCTION(SetImageAttributesWrapMode)
    AUDIO_GDIPLUS_FUNCTION(DisposeImageAttributes)
#undef AUDIO_GDIPLUS_FUNCTION
};

class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

    // GDI+'s functions, loading and starting it if no session has; null when it cannot be.
    const GdiPlusApi* Api();
    bool Started() { return Api() != nullptr; }

    // Whether GDI+ is loaded in the process now.
    static bool Loaded();

private:
    bool using_ = false;  // this session counts among those that keep GDI+ started
};

// GDI+ objects owned by a session's functions.
struct GdiPlusImage {
    const GdiPlusApi* api = nullptr;
    Gdiplus::GpImage* image = nullptr;
    GdiPlusImage() = default;
    GdiPlusImage(const GdiPlusApi* a, Gdiplus::GpImage* i) : api(a), image(i) {}
    ~GdiPlusImage() {
        if (image)
            api->DisposeImage(image);
    }
    GdiPlusImage(const GdiPlusImage&) = delete;
    GdiPlusImage& operator=(const GdiPlusImage&) = delete;
};

struct GdiPlusGraphics {
    const GdiPlusApi* api = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    ~GdiPlusGraphics() {
        if (graphics)
            api->DeleteGraphics(graphics);
    }
};
