#include "WindowDpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    if (!module) {
        return nullptr;
    }
    // The usual cast from the generic procedure address to the function's own type.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto forWindow =
        Lookup<GetDpiForWindowFn>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (forWindow && window) {
        const UINT dpi = forWindow(window);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    // shcore.dll is in the system folder from Windows 8.1 on; loaded once and kept.
    static const HMODULE shcore =
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    static const auto forMonitor = Lookup<GetDpiForMonitorFn>(shcore, "GetDpiForMonitor");
    if (forMonitor && window) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (monitor && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) && x != 0) {
            return static_cast<int>(x);
        }
    }
    return SystemDpi();
}

void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi = Lookup<AdjustWindowRectExForDpiFn>(GetModuleHandleW(L"user32.dll"),
                                                                  "AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(rect, style, FALSE, exStyle);
    }
}
