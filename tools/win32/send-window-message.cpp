// Sends a registered window message to every top-level window, as the installer does with the
// panel's exit message; the end-to-end tests use it to talk to a running panel. With -class it
// sends a numbered message to the top-level windows of one class instead, as the system does
// with WM_QUERYENDSESSION and WM_ENDSESSION, and prints each window's answer.
//   send-window-message.exe NAME [WPARAM]
//   send-window-message.exe -class CLASS MESSAGE [WPARAM [LPARAM]]
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

struct Delivery {
    const wchar_t* className;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int windows;
};

BOOL CALLBACK SendToClass(HWND window, LPARAM context) {
    auto* delivery = reinterpret_cast<Delivery*>(context);
    wchar_t name[256] = {};
    if (GetClassNameW(window, name, 256) == 0 || wcscmp(name, delivery->className) != 0) {
        return TRUE;
    }
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, delivery->message, delivery->wParam, delivery->lParam,
                            SMTO_NORMAL, 10000, &answer)) {
        wprintf(L"%lu\n", static_cast<unsigned long>(answer));
        ++delivery->windows;
    }
    return TRUE;
}

unsigned long Number(int argc, wchar_t** argv, int index) {
    return argc > index ? wcstoul(argv[index], nullptr, 0) : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 4 && wcscmp(argv[1], L"-class") == 0) {
        Delivery delivery{argv[2], static_cast<UINT>(Number(argc, argv, 3)),
                          static_cast<WPARAM>(Number(argc, argv, 4)),
                          static_cast<LPARAM>(Number(argc, argv, 5)), 0};
        EnumWindows(&SendToClass, reinterpret_cast<LPARAM>(&delivery));
        fflush(stdout);
        return delivery.windows > 0 ? 0 : 1;
    }
    if (argc < 2) {
        fwprintf(stderr,
                 L"usage: send-window-message NAME [WPARAM]\n"
                 L"       send-window-message -class CLASS MESSAGE [WPARAM [LPARAM]]\n");
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
