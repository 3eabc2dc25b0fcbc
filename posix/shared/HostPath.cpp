#include "HostPath.h"

#include <cstdlib>

namespace {

std::string& Root() {
    static std::string root = [] {
        const char* fromEnvironment = std::getenv("AUDIO_DRIVE_ROOT");
        return std::string(fromEnvironment && *fromEnvironment ? fromEnvironment
                                                               : "/tmp/audio-drive-root");
    }();
    return root;
}

}  // namespace

std::u16string Utf8ToUtf16Text(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + n > text.size())
            n = text.size() - i;
        uint32_t cp = n == 1 ? lead : lead & (0x7F >> n);
        for (size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += n;
    }
    return out;
}

std::string ToHostPath(const std::u16string& windowsPath) {
    std::string path = Utf16ToUtf8(windowsPath);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        const std::string rest = path.substr(2);
        if (drive == 'z')
            return rest.empty() ? "/" : rest;
        return Root() + "/drive_" + drive + rest;
    }
    return path;
}

std::u16string FromHostPath(const std::string& hostPath) {
    std::u16string path = u"Z:" + Utf8ToUtf16Text(hostPath);
    for (char16_t& c : path) {
        if (c == u'/')
            c = u'\\';
    }
    return path;
}

void SetDriveRoot(const std::string& root) {
    Root() = root;
}

const std::string& DriveRoot() {
    return Root();
}
