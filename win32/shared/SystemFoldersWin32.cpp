#include <windows.h>
#include <shlobj.h>

#include "DebugTrace.h"
#include "PlatformHelpers.h"
#include "WideText.h"
#include "ports/SystemFolders.h"

namespace {

// Looked up by name: older systems lack these calls.
template <typename Function>
Function Kernel32Function(const char* name) {
    HMODULE kernel32 = GetModuleHandleW(L"kernel32");
    return kernel32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)))
               : nullptr;
}

class Win32SystemFolders : public ISystemFolders {
public:
    std::u16string GetProgramFilesFolder() override {
        // The call writes up to MAX_PATH characters whatever the caller's buffer holds.
        wchar_t buffer[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, buffer);
        return U16(buffer);
    }
    bool IsWow64Process() override {
        using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
        const auto isWow64 = Kernel32Function<IsWow64ProcessFunction>("IsWow64Process");
        BOOL wow64 = FALSE;
        if (isWow64 && !isWow64(GetCurrentProcess(), &wow64))
            wow64 = FALSE;
        return wow64 != FALSE;
    }
    std::u16string GetSpecialFolder(int csidl) override {
        wchar_t buffer[MAX_PATH] = {};
        SHGetSpecialFolderPathW(nullptr, buffer, csidl, TRUE);
        return U16(buffer);
    }
    std::u16string GetSystemDirectoryPath() override {
        wchar_t buffer[MAX_PATH] = {};
        GetSystemDirectoryW(buffer, MAX_PATH);
        return U16(buffer);
    }
    int DisableWow64Redirection(void** oldValue) override {
        return ::DisableWow64Redirection(oldValue);
    }
    int RevertWow64Redirection(void* oldValue) override {
        return ::RevertWow64Redirection(oldValue);
    }
};

}  // namespace

ISystemFolders& PlatformSystemFolders() {
    static Win32SystemFolders folders;
    return folders;
}

int DisableWow64Redirection(void** oldValue) {
    using Function = BOOL(WINAPI*)(PVOID*);
    const auto disable = Kernel32Function<Function>("Wow64DisableWow64FsRedirection");
    return disable ? disable(oldValue) : 0;
}

int RevertWow64Redirection(void* oldValue) {
    using Function = BOOL(WINAPI*)(PVOID);
    const auto revert = Kernel32Function<Function>("Wow64RevertWow64FsRedirection");
    return revert ? revert(oldValue) : 0;
}

void PlatformDebugOutput(const std::u16string& line) {
    OutputDebugStringW(W(line));
}
