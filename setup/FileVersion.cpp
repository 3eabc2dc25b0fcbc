#include <string>

#include "SetupOperations.h"

namespace {

constexpr uint32_t kFixedVersionSignature = 0xFEEF04BD;

std::u16string Number(uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

uint32_t ReadFileVersion(ISetupSystem& system, const std::u16string& path, std::u16string& out) {
    const uint32_t size = system.FileVersionInfoSize(path);
    if (size == 0)
        return 1;
    std::vector<uint8_t> buffer((static_cast<size_t>(size) + 1) * 2, 0);
    if (!system.FileVersionInfo(path, buffer))
        return 2;
    FixedFileVersion fixed;
    uint32_t length = 0;
    if (!system.QueryFixedVersion(buffer, fixed, length))
        return 3;
    if (length == 0)
        return 4;
    if (fixed.signature == kFixedVersionSignature) {
        out = Number(fixed.fileVersionMS >> 16) + u"." + Number(fixed.fileVersionMS & 0xFFFF) +
              u"." + Number(fixed.fileVersionLS >> 16) + u"." +
              Number(fixed.fileVersionLS & 0xFFFF);
    }
    return 0;
}
