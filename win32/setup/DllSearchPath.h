// Programs that run with administrator rights load DLLs only from the system folder, never from
// the folder they were started from (often a downloads folder). Their import tables name only
// KnownDLLs (tests/imports/); every other DLL is loaded at run time through SystemLibrary.
#pragma once

#include <windows.h>

// SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where Windows has it, else (Windows 7
// without its DLL-search update) the current folder is taken out of the search; then the DLLs
// that system DLLs are known to load by name are loaded from the system folder. On that Windows 7
// any other DLL loaded by name is still looked for in the program's folder first
// (setup/README.md). False when nothing could be done.
bool RestrictDllSearchToSystem();
// The second half of that fallback: each of those DLLs by its full path in the system folder.
void PreloadSystemDllsByPath();

// A DLL of the system folder, loaded by its file name and freed with the object. Load it on a
// thread whose Wow64 file-system redirection is on.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* fileName);
    ~SystemLibrary();
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // Null when the DLL or the function is missing.
    template <typename Function>
    Function Get(const char* name) const {
        return module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

private:
    HMODULE module_ = nullptr;
};
