// Drives a running simulator panel through unplug and plug cycles and page switches from another
// process, and reports what the panel's process holds before and after: GDI and USER objects
// (GetGuiResources), kernel handles, working set and private bytes.
//   panel-soak.exe CYCLES X Y [X Y ...]   each cycle unplugs and plugs the simulated headset,
//                                         then clicks the next of the points (client
//                                         coordinates of the page tabs)
// Every message is sent, so each cycle has been handled when the next begins. Prints "before ..."
// and "after ..." lines; exit 1 when the panel is not found.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr UINT kTimeoutMs = 20000;

struct Held {
    DWORD gdi = 0;
    DWORD user = 0;
    DWORD handles = 0;
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
};

Held Measure(HANDLE process) {
    Held held;
    held.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    held.user = GetGuiResources(process, GR_USEROBJECTS);
    GetProcessHandleCount(process, &held.handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        held.workingSet = memory.WorkingSetSize;
        held.privateBytes = memory.PrivateUsage;
    }
    return held;
}

void Print(const char* when, const Held& held) {
    std::printf("%s gdi=%lu user=%lu handles=%lu workingset_kb=%lu private_kb=%lu\n", when,
                static_cast<unsigned long>(held.gdi), static_cast<unsigned long>(held.user),
                static_cast<unsigned long>(held.handles),
                static_cast<unsigned long>(held.workingSet / 1024),
                static_cast<unsigned long>(held.privateBytes / 1024));
    std::fflush(stdout);
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs,
                               &ignored) != 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fwprintf(stderr, L"usage: panel-soak CYCLES X Y [X Y ...]\n");
        return 2;
    }
    const long cycles = std::wcstol(argv[1], nullptr, 10);
    std::vector<POINT> tabs;
    for (int i = 2; i + 1 < argc; i += 2) {
        tabs.push_back({std::wcstol(argv[i], nullptr, 10), std::wcstol(argv[i + 1], nullptr, 10)});
    }
    HWND panel = FindWindowW(L"TAudioMainForm", nullptr);
    if (!panel) {
        std::fwprintf(stderr, L"panel-soak: no panel window\n");
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(panel, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) {
        std::fwprintf(stderr, L"panel-soak: cannot open the panel's process\n");
        return 1;
    }
    const UINT plug = RegisterWindowMessageW(L"AUDIOPANEL_SIM_PLUG");

    Print("before", Measure(process));
    long done = 0;
    for (; done < cycles; ++done) {
        const POINT at = tabs[static_cast<size_t>(done) % tabs.size()];
        const LPARAM where = MAKELPARAM(at.x, at.y);
        // Sent, not posted: a thread handles the messages sent to it before its posted ones, so
        // a posted click could land after the next unplug.
        if (!Send(panel, plug, 0, 0) || !Send(panel, plug, 1, 0) ||
            !Send(panel, WM_LBUTTONDOWN, MK_LBUTTON, where) ||
            !Send(panel, WM_LBUTTONUP, 0, where)) {
            std::fwprintf(stderr, L"panel-soak: cycle %ld was not handled\n", done + 1);
            break;
        }
    }
    std::printf("cycles %ld\n", done);
    Print("after", Measure(process));
    CloseHandle(process);
    return done == cycles ? 0 : 1;
}
