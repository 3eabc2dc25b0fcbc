// Sends a registered window message to every top-level window, as the installer does with the
// panel's exit message; the end-to-end tests use it to talk to a running panel.
//   send-window-message.exe NAME [WPARAM]
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: send-window-message NAME [WPARAM]\n");
        return 2;
    }
    const UINT message = RegisterWindowMessageW(argv[1]);
    if (message == 0) {
        return 1;
    }
    const WPARAM wParam = argc > 2 ? static_cast<WPARAM>(wcstoul(argv[2], nullptr, 0)) : 0;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, wParam, 0, SMTO_NORMAL, 1000, &ignored);
    return 0;
}
