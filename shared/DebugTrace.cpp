#include "DebugTrace.h"

#include <utility>

namespace {
std::function<void(const std::u16string&)>& Sink() {
    static std::function<void(const std::u16string&)> sink;
    return sink;
}
}  // namespace

void DebugOutput(const std::u16string& line) {
    if (Sink())
        Sink()(line);
    else
        PlatformDebugOutput(line);
}

void SetDebugOutputSink(std::function<void(const std::u16string&)> sink) {
    Sink() = std::move(sink);
}
