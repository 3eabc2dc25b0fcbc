#include "TestBitmaps.h"

namespace {

void Put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::string Bmp24(int width, int height, const std::function<Pixel(int, int)>& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(stride * height);
    std::string out = "BM";
    Put32(out, 54 + dataSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // bottom row first
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, dataSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Pixel p = pixel(x, y);
            out += static_cast<char>(p & 0xFF);
            out += static_cast<char>((p >> 8) & 0xFF);
            out += static_cast<char>((p >> 16) & 0xFF);
        }
        out.append(static_cast<size_t>(stride - width * 3), '\0');
    }
    return out;
}

MemoryCanvas::MemoryCanvas(int width, int height, Pixel fill)
    : width_(width), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const uint32_t*>(bits);
    original_ = SelectObject(dc_.get(), bitmap_.get());
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
        pixels[i] = fill;
    }
}

MemoryCanvas::~MemoryCanvas() {
    if (original_) {
        SelectObject(dc_.get(), original_);
    }
}

Pixel MemoryCanvas::At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
}
