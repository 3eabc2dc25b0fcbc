#include <windows.h>

#include "DllSearchPath.h"

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
