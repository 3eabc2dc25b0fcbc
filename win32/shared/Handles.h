// Owners of the Windows handles the shared library opens.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

inline UniqueHandle MakeUniqueHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct RegKeyCloser {
    void operator()(HKEY key) const {
        if (key)
            RegCloseKey(key);
    }
};
using UniqueRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

struct LibraryFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

// A DLL from the system folder only, never from the program's folder or the search path. By
// name, so the version the program's manifest names (common controls 6) is the one loaded.
inline UniqueLibrary LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return UniqueLibrary(module);
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    // Windows 7 without the update that knows the flag: the full path, so no folder is searched.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return UniqueLibrary(LoadLibraryW(path.c_str()));
}
