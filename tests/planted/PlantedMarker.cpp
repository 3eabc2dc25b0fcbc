// A DLL for the end-to-end test to plant beside the installer under the names of system DLLs:
// when anything loads it, it notes its own path in C:\planted-dll-loaded.txt. It must never be
// loaded.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    HANDLE marker = CreateFileW(L"C:\\planted-dll-loaded.txt", FILE_APPEND_DATA, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(marker, path, length * sizeof(wchar_t), &written, nullptr);
        WriteFile(marker, L"\r\n", 2 * sizeof(wchar_t), &written, nullptr);
        CloseHandle(marker);
    }
    return TRUE;
}
