#include "SimTrace.h"

#include <cstdio>

void SimTrace::Add(const std::string& line) {
    lines_.push_back(line);
    if (stream_)
        *stream_ << line << '\n' << std::flush;
    if (file_)
        *file_ << line << '\n' << std::flush;  // flushed so a demo can follow the file live
}

std::vector<std::string> SimTrace::Take() {
    std::vector<std::string> taken;
    taken.swap(lines_);
    return taken;
}

std::vector<std::string> SimTrace::Filter(const std::string& prefix) const {
    std::vector<std::string> matching;
    for (const std::string& line : lines_) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(line);
    }
    return matching;
}

bool SimTrace::SetFile(const std::string& hostPath) {
    file_.reset();
    if (hostPath.empty())
        return true;
    // Binary, so the lines end in '\n' on every host.
    auto file = std::make_unique<std::ofstream>(hostPath, std::ios::binary | std::ios::app);
    if (!*file)
        return false;
    file_ = std::move(file);
    return true;
}

std::string HexBytes(const uint8_t* bytes, size_t count, bool spaced) {
    std::string text;
    char digits[3];
    for (size_t i = 0; i < count; ++i) {
        if (spaced && i > 0)
            text += ' ';
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        text += digits;
    }
    return text;
}

std::string HexIds(uint16_t vendorId, uint16_t productId) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", vendorId, productId);
    return text;
}
