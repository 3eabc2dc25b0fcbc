// MainForm_Frame.rgn: a region description (32-byte header, then rectangles) that shapes the main
// window. A file too short for its header or for the rectangles it announces is not passed on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "WindowHost.h"

struct RegionRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct RegionFile {
    bool hasHeader = false;  // the bounding box below is valid
    int32_t boundsLeft = 0;
    int32_t boundsTop = 0;
    int32_t boundsRight = 0;  // becomes the window width
    int32_t boundsBottom = 0;
    uint32_t headerSize = 0;
    uint32_t type = 0;
    uint32_t count = 0;
    std::vector<RegionRect> rects;
    bool complete = false;   // header and every announced rectangle present
    std::u16string problem;  // why it is not complete
};

constexpr size_t kRegionHeaderSize = 32;

// Reads only what the data holds.
RegionFile ParseRegion(const std::vector<uint8_t>& data);

// ApplyRegion: the window's size from the bounding box, then its shape from the file's bytes,
// unchanged. An unreadable file throws PanelError; an incomplete one leaves the window without a
// special shape and says why in the trace. True when the platform took the shape.
bool ApplyRegionFile(IWindowHost& window, const std::u16string& path);
