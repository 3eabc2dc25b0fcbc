#include "PlatformHelpers.h"
#include "ports/ProfileStrings.h"

int ReadProfileString(const std::u16string& path, const std::u16string& section,
                      const std::u16string& key, std::u16string& value) {
    constexpr uint32_t kBufferSize = 1024;
    char16_t buffer[kBufferSize] = {};
    const uint32_t copied =
        PlatformProfileStrings().GetString(section, key, u"", buffer, kBufferSize, path);
    if (copied == 0)
        return 1;
    value.assign(buffer, copied);
    return 0;
}
