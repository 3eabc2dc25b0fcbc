#include "SimTrace.h"

void SimTrace::Add(const std::string& line) {
    if (keep_)
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
