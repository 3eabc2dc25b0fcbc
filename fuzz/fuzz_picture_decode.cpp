// Picture files as a skin may hold them: the header read and the whole decoding must never
// crash, and must never ask for more pixels than the bounds allow.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PictureSize header;
    const PictureRead read = ReadPictureSize(data, size, &header);
    std::vector<uint32_t> pixels;
    bool opaque = false;
    const PictureRead decoded = DecodePicture(
        data, size,
        [&](PictureSize s) {
            if (s.width <= 0 || s.height <= 0 || s.width > kMaxPictureSide ||
                s.height > kMaxPictureSide) {
                std::abort();
            }
            pixels.resize(static_cast<size_t>(s.width) * static_cast<size_t>(s.height));
            return pixels.data();
        },
        &opaque);
    // What decodes has the size its header gave.
    if (decoded == PictureRead::Ok &&
        (read != PictureRead::Ok ||
         pixels.size() != static_cast<size_t>(header.width) * static_cast<size_t>(header.height))) {
        std::abort();
    }
    return 0;
}
