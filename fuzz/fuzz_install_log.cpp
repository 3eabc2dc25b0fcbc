// Any bytes as the install log the uninstaller reads: a log is either refused or read back
// exactly, so that what it lists is what the installer wrote and nothing else.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzFile.h"
#include "InstallLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const auto entries = ParseInstallLog(bytes);
    if (entries)
        fuzz::Check(FormatInstallLog(*entries) == bytes);
    return 0;
}
