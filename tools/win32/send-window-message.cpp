// Sends a registered window message to every top-level window, as the installer does with the
// panel's exit message; the end-to-end tests use it to talk to a running panel. With -class it
// sends a numbered message to the top-level windows of one class instead, as the system does
// with WM_QUERYENDSESSION and WM_ENDSESSION, and prints each window's answer. With -post it posts
// a series of messages (numbers or registered names) to the windows of one class, in order and
// without waiting, as input and other programs' messages queue up while a window is busy.
//   send-window-message.exe NAME [WPARAM]
//   send-window-message.exe -class CLASS MESSAGE [WPARAM [LPARAM]]
//   send-window-message.exe -post CLASS MESSAGE WPARAM LPARAM [MESSAGE WPARAM LPARAM ...]
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

// A message given by number, or by the name it is registered under.
UINT MessageOf(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long number = wcstoul(text, &end, 0);
    return end != text && *end == L'\0' ? static_cast<UINT>(number) : RegisterWindowMessageW(text);
}

struct Series {
    const wchar_t* className;
    int count;
    wchar_t** items;  // MESSAGE WPARAM LPARAM, count times
    int windows;
};

BOOL CALLBACK PostToClass(HWND window, LPARAM context) {
    auto* series = reinterpret_cast<Series*>(context);
    wchar_t name[256] = {};
    if (GetClassNameW(window, name, 256) == 0 || wcscmp(name, series->className) != 0) {
        return TRUE;
    }
    for (int i = 0; i < series->count; ++i) {
        wchar_t** item = series->items + 3 * i;
        PostMessageW(window, MessageOf(item[0]), static_cast<WPARAM>(wcstoul(item[1], nullptr, 0)),
                     static_cast<LPARAM>(wcstoul(item[2], nullptr, 0)));
    }
    ++series->windows;
    return TRUE;
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
    if (argc >= 6 && (argc - 3) % 3 == 0 && wcscmp(argv[1], L"-post") == 0) {
        Series series{argv[2], (argc - 3) / 3, argv + 3, 0};
        EnumWindows(&PostToClass, reinterpret_cast<LPARAM>(&series));
        return series.windows > 0 ? 0 : 1;
    }
    if (argc < 2) {
        fwprintf(stderr,
                 L"usage: send-window-message NAME [WPARAM]\n"
                 L"       send-window-message -class CLASS MESSAGE [WPARAM [LPARAM]]\n"
                 L"       send-window-message -post CLASS MESSAGE WPARAM LPARAM ...\n");
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
