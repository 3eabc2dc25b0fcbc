// A test tool: another program that holds a global hotkey, as a call program might.
//   hold-hotkey.exe MODIFIERS VIRTUAL-KEY SECONDS
// MODIFIERS are RegisterHotKey's bits (1 Alt, 2 Ctrl, 4 Shift, 8 Win), the key a virtual-key code
// (decimal or 0x hexadecimal). Prints "held" once it holds the key, then keeps it for SECONDS.
// Exit code 0 after holding it, 1 when it could not be had, 2 for a bad command line.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: hold-hotkey.exe MODIFIERS VIRTUAL-KEY SECONDS\n", stderr);
        return 2;
    }
    const UINT modifiers = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 0));
    const UINT key = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 0));
    const DWORD seconds = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 0));
    if (!RegisterHotKey(nullptr, 1, modifiers, key)) {
        std::printf("not held: error %lu\n", GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    Sleep(seconds * 1000);
    UnregisterHotKey(nullptr, 1);
    return 0;
}
