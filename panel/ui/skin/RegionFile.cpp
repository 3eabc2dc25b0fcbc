#include "RegionFile.h"

#include "DebugTrace.h"
#include "PanelError.h"
#include "RawFile.h"

namespace {

uint32_t Word(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

int32_t Signed(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<int32_t>(Word(data, at));
}

std::u16string Decimal(uint64_t n) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n);
    return text;
}

}  // namespace

RegionFile ParseRegion(const std::vector<uint8_t>& data) {
    RegionFile region;
    if (data.size() < kRegionHeaderSize) {
        region.problem = u"the file holds " + Decimal(data.size()) + u" bytes, less than the " +
                         Decimal(kRegionHeaderSize) + u"-byte header";
        return region;
    }
    region.hasHeader = true;
    region.headerSize = Word(data, 0);
    region.type = Word(data, 4);
    region.count = Word(data, 8);
    region.boundsLeft = Signed(data, 16);
    region.boundsTop = Signed(data, 20);
    region.boundsRight = Signed(data, 24);
    region.boundsBottom = Signed(data, 28);
    const uint64_t needed = kRegionHeaderSize + 16ull * region.count;
    if (data.size() < needed) {
        region.problem = u"the header announces " + Decimal(region.count) + u" rectangles (" +
                         Decimal(needed) + u" bytes), the file holds " + Decimal(data.size());
        return region;
    }
    region.rects.reserve(region.count);
    for (size_t at = kRegionHeaderSize; at < needed; at += 16) {
        region.rects.push_back(
            {Signed(data, at), Signed(data, at + 4), Signed(data, at + 8), Signed(data, at + 12)});
    }
    region.complete = true;
    return region;
}

bool ApplyRegionFile(IWindowHost& window, const std::u16string& path) {
    std::vector<uint8_t> data;
    if (ReadRawFile(path, data) != RAW_FILE_OK) {
        throw PanelError(u"Cannot read the region file " + path);
    }
    const RegionFile region = ParseRegion(data);
    if (region.hasHeader) {
        window.SetWindowSize(region.boundsRight, region.boundsBottom);
    }
    if (!region.complete) {
        DebugOutput(u"***** Window region not applied: " + path + u": " + region.problem +
                    u" *****\n");
        return false;
    }
    return window.SetWindowRegion(data);
}
