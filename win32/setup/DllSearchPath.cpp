#include "DllSearchPath.h"

#include <string>

namespace {

// Not KnownDLLs, and loaded by name by the system DLLs these programs use (themes, the window
// manager, CryptoAPI's provider, the shell's property system, the user profile). Loaded once
// from the system folder, a later load by name finds them loaded and searches nothing.
constexpr const wchar_t* kLoadedByNameLater[] = {L"version.dll", L"comctl32.dll",  L"uxtheme.dll",
                                                 L"dwmapi.dll",  L"cryptbase.dll", L"cryptsp.dll",
                                                 L"rsaenh.dll",  L"propsys.dll",   L"profapi.dll",
                                                 L"userenv.dll", L"ntmarta.dll",   L"apphelp.dll"};

}  // namespace

void PreloadSystemDllsByPath() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    for (const wchar_t* name : kLoadedByNameLater) {
        const std::wstring path = std::wstring(folder, length) + L"\\" + name;
        // Kept for the life of the process: freed, the next load by name would search again.
        LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
}

bool RestrictDllSearchToSystem() {
    // Looked up at run time: Windows 7 has it only with a later update.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault =
        kernel32 ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                       GetProcAddress(kernel32, "SetDefaultDllDirectories")))
                 : nullptr;
    const bool restricted = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 7 without the update keeps the program's own folder first for every DLL loaded by
    // name: take the current folder out at least. Either way the DLLs known to be loaded that
    // way (also as imports of a DLL that is not a KnownDLL, such as comctl32's) come from the
    // system folder before anything asks for them.
    const bool currentFolderOut = restricted || SetDllDirectoryW(L"") != FALSE;
    PreloadSystemDllsByPath();
    return currentFolderOut;
}

SystemLibrary::SystemLibrary(const wchar_t* fileName) {
    module_ = LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module_ || GetLastError() != ERROR_INVALID_PARAMETER)
        return;
    // Windows 7 without the update that knows the flag: the full path, so no folder is searched.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
    module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SystemLibrary::~SystemLibrary() {
    if (module_)
        FreeLibrary(module_);
}
