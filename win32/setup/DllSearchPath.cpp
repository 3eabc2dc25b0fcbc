#include "DllSearchPath.h"

#include <string>

bool RestrictDllSearchToSystem() {
    // Looked up at run time: Windows 7 has it only with a later update.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault =
        kernel32 ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                       GetProcAddress(kernel32, "SetDefaultDllDirectories")))
                 : nullptr;
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return true;
    return SetDllDirectoryW(L"") != FALSE;
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
