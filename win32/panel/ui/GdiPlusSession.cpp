#include "GdiPlusSession.h"

namespace {

// The one GDI+ of the process.
struct Library {
    HMODULE module = nullptr;
    ULONG_PTR token = 0;
    GdiPlusApi api;
    int sessions = 0;  // sessions that use it
    bool failed = false;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

template <typename F>
bool Resolve(HMODULE module, const char* name, F* function) {
    *function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return *function != nullptr;
}

bool Start(Library& library) {
    // Only from the system folder: not from the program's folder, where anyone could put one.
    library.module = LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!library.module) {
        return false;
    }
    decltype(&Gdiplus::GdiplusStartup) startup = nullptr;
    GdiPlusApi& api = library.api;
    bool ok = Resolve(library.module, "GdiplusStartup", &startup);
#define AUDIO_RESOLVE(name) ok = Resolve(library.module, "Gdip" #name, &api.name) && ok;
    AUDIO_RESOLVE(CreateBitmapFromFile)
    AUDIO_RESOLVE(CreateBitmapFromScan0)
    AUDIO_RESOLVE(GetImageWidth)
    AUDIO_RESOLVE(GetImageHeight)
    AUDIO_RESOLVE(BitmapLockBits)
    AUDIO_RESOLVE(BitmapUnlockBits)
    AUDIO_RESOLVE(DisposeImage)
    AUDIO_RESOLVE(CreateFromHDC)
    AUDIO_RESOLVE(GetImageGraphicsContext)
    AUDIO_RESOLVE(DeleteGraphics)
    AUDIO_RESOLVE(SetCompositingMode)
    AUDIO_RESOLVE(SetInterpolationMode)
    AUDIO_RESOLVE(SetPixelOffsetMode)
    AUDIO_RESOLVE(DrawImageRectI)
    AUDIO_RESOLVE(DrawImageRectRectI)
    AUDIO_RESOLVE(Flush)
    AUDIO_RESOLVE(CreateImageAttributes)
    AUDIO_RESOLVE(SetImageAttributesWrapMode)
    AUDIO_RESOLVE(DisposeImageAttributes)
#undef AUDIO_RESOLVE
    const Gdiplus::GdiplusStartupInput input;
    if (!ok || startup(&library.token, &input, nullptr) != Gdiplus::Ok) {
        library.token = 0;
        FreeLibrary(library.module);
        library.module = nullptr;
        library.api = GdiPlusApi{};
        return false;
    }
    return true;
}

void Stop(Library& library) {
    decltype(&Gdiplus::GdiplusShutdown) shutdown = nullptr;
    if (Resolve(library.module, "GdiplusShutdown", &shutdown)) {
        shutdown(library.token);
    }
    FreeLibrary(library.module);
    library.module = nullptr;
    library.token = 0;
    library.api = GdiPlusApi{};
}

}  // namespace

GdiPlusSession::GdiPlusSession() = default;

GdiPlusSession::~GdiPlusSession() {
    Library& library = TheLibrary();
    if (using_ && --library.sessions == 0) {
        Stop(library);
    }
}

const GdiPlusApi* GdiPlusSession::Api() {
    Library& library = TheLibrary();
    if (!using_) {
        // A system without it is not asked again for every picture.
        if (library.failed || (library.sessions == 0 && !Start(library))) {
            library.failed = true;
            return nullptr;
        }
        using_ = true;
        ++library.sessions;
    }
    return &library.api;
}

bool GdiPlusSession::Loaded() {
    return TheLibrary().module != nullptr;
}
