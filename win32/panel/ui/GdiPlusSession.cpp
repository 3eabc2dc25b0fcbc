#include "GdiPlusSession.h"

// The lean Windows headers leave out what GDI+ needs.
#include <objidl.h>

#include <gdiplus.h>

GdiPlusSession::GdiPlusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) {
        token_ = 0;
    }
}

GdiPlusSession::~GdiPlusSession() {
    if (token_ != 0) {
        Gdiplus::GdiplusShutdown(token_);
    }
}
