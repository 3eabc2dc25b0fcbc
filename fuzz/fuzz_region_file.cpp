// Any bytes as a MainForm_Frame.rgn: parsed, then scaled to the screen at the densities the
// panel meets. A complete region keeps every rectangle, and scaling keeps the data's size and,
// for coordinates a screen can hold, maps back to the design.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "FuzzFile.h"
#include "RegionFile.h"
#include "ScreenScale.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const RegionFile region = ParseRegion(bytes);
    fuzz::Check(region.hasHeader == (size >= kRegionHeaderSize));
    fuzz::Check(!region.complete || region.rects.size() == region.count);
    fuzz::Check(region.complete || !region.problem.empty());

    for (const int dpi : {96, 120, 144, 192, 240, 960, 0, INT_MAX}) {
        const ScreenScale scale(dpi);
        const std::vector<uint8_t> scaled = ScaleRegionData(bytes, scale);
        fuzz::Check(scaled.size() == bytes.size());
        if (!region.hasHeader) {
            fuzz::Check(scaled == bytes);
            continue;
        }
        fuzz::Check(std::memcmp(scaled.data(), bytes.data(), 16) == 0);  // the header's words
        // Every scaled word a screen can hold maps back: the screen's pixels cover the design's.
        const RegionFile back = ParseRegion(scaled);
        const auto same = [&](int32_t design, int32_t screen) {
            if (scale.Dpi() >= kDesignDpi && design > -(1 << 24) && design < (1 << 24)) {
                fuzz::Check(scale.ToDesign(screen) == design);
            }
        };
        same(region.boundsLeft, back.boundsLeft);
        same(region.boundsTop, back.boundsTop);
        same(region.boundsRight, back.boundsRight);
        same(region.boundsBottom, back.boundsBottom);
        for (size_t i = 0; i < region.rects.size(); ++i) {
            same(region.rects[i].left, back.rects[i].left);
            same(region.rects[i].bottom, back.rects[i].bottom);
        }
    }
    return 0;
}
