// Stands in for Windows' update installer (wusa.exe) in the end-to-end test: notes the command
// line it was given in C:\update-opened.txt and asks for a restart (exit code 3010).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    const char* commandLine = GetCommandLineA();
    HANDLE note = CreateFileW(L"C:\\update-opened.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (note == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(note, commandLine, static_cast<DWORD>(lstrlenA(commandLine)), &written, nullptr);
    CloseHandle(note);
    return 3010;
}
