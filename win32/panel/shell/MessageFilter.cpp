#include "MessageFilter.h"

namespace {

constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW and MSGFLT_ADD

template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

}  // namespace

bool AllowMessageFromLowerLevels(HWND window, UINT message) {
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    if (message == 0) {
        return false;
    }
    if (const auto perWindow = User32Function<PerWindow>("ChangeWindowMessageFilterEx")) {
        return perWindow(window, message, kAllow, nullptr) != FALSE;
    }
    if (const auto perProcess = User32Function<PerProcess>("ChangeWindowMessageFilter")) {
        return perProcess(message, kAllow) != FALSE;
    }
    return true;
}
