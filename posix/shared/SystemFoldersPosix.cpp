// Stand-ins for the Windows folders, below the drive root (see HostPath.h).
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "DebugTrace.h"
#include "HostPath.h"
#include "PlatformHelpers.h"
#include "ports/SystemFolders.h"

namespace {

class PosixSystemFolders : public ISystemFolders {
public:
    std::u16string GetProgramFilesFolder() override { return u"C:\\Program Files"; }
    bool IsWow64Process() override { return false; }
    std::u16string GetSpecialFolder(int csidl) override {
        const std::u16string folder =
            csidl == CSIDL_SYSTEMX86_FOLDER ? u"C:\\Windows\\SysWOW64" : u"C:\\Windows\\System32";
        std::error_code ignored;
        std::filesystem::create_directories(ToHostPath(folder), ignored);
        return folder;
    }
    std::u16string GetSystemDirectoryPath() override { return u"C:\\Windows\\System32"; }
    int DisableWow64Redirection(void** oldValue) override {
        return ::DisableWow64Redirection(oldValue);
    }
    int RevertWow64Redirection(void* oldValue) override {
        return ::RevertWow64Redirection(oldValue);
    }
};

}  // namespace

ISystemFolders& PlatformSystemFolders() {
    static PosixSystemFolders folders;
    return folders;
}

// No file-system redirection here.
int DisableWow64Redirection(void**) {
    return 0;
}
int RevertWow64Redirection(void*) {
    return 0;
}

void PlatformDebugOutput(const std::u16string& line) {
    static const bool enabled = std::getenv("AUDIO_DEBUG_TRACE") != nullptr;
    if (enabled)
        std::fputs(Utf16ToUtf8(line).c_str(), stderr);
}
