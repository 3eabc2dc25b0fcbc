#include "OffscreenBuffer.h"

OffscreenBuffer::~OffscreenBuffer() {
    Release();
}

void OffscreenBuffer::Release() {
    if (dc_ && original_) {
        SelectObject(dc_.get(), original_);
    }
    original_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    size_ = {};
}

HDC OffscreenBuffer::Prepare(HDC target, Size size) {
    if (size.width <= 0 || size.height <= 0) {
        return nullptr;
    }
    if (dc_ && bitmap_ && size.width <= size_.width && size.height <= size_.height) {
        return dc_.get();
    }
    Release();
    dc_.reset(CreateCompatibleDC(target));
    if (!dc_) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) {
        dc_.reset();
        return nullptr;
    }
    original_ = SelectObject(dc_.get(), bitmap_.get());
    size_ = size;
    return dc_.get();
}
