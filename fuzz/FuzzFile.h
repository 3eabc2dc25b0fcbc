// The fuzzers' one scratch file: the engine reads files by path, so each input goes to disk first.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "HostPath.h"

namespace fuzz {

class ScratchFile {
public:
    ScratchFile() {
        // Memory-backed when there is such a place: rewriting a file on a disk file system may
        // flush it on every close, which costs most of each run.
        std::string folder = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        folder += "/audio-fuzz-XXXXXX";
        if (!::mkdtemp(&folder[0]))
            std::abort();
        folder_ = folder;
        hostPath_ = folder_ + "/AudioConfig.cfg";
        path_ = FromHostPath(hostPath_);
    }
    ~ScratchFile() {
        ::unlink(hostPath_.c_str());
        ::rmdir(folder_.c_str());
    }

    // Replaces the file's content; returns its path in the Windows form the code takes.
    const std::u16string& Write(const uint8_t* data, size_t size) {
        FILE* file = std::fopen(hostPath_.c_str(), "wb");
        if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) ||
            std::fclose(file) != 0)
            std::abort();
        return path_;
    }

private:
    std::string folder_;
    std::string hostPath_;
    std::u16string path_;
};

// libFuzzer leaves through exit(), so a function-local static is cleaned up.
inline ScratchFile& Scratch() {
    static ScratchFile file;
    return file;
}

// A broken invariant is a finding: abort so libFuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace fuzz
