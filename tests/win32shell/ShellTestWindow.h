// A hidden top-level window for the shell adapters to work on. Under Wine without a display no
// top-level window can be made: tests then skip.
#pragma once

#include <windows.h>

#include "ShellHandles.h"

inline HWND MakeShellTestWindow(const wchar_t* title = L"shell test", HWND parent = nullptr) {
    static const ATOM windowClass = [] {
        WNDCLASSW description{};
        description.lpfnWndProc = DefWindowProcW;
        description.hInstance = GetModuleHandleW(nullptr);
        description.lpszClassName = L"AudioShellTestWindow";
        return RegisterClassW(&description);
    }();
    if (!windowClass)
        return nullptr;
    return CreateWindowExW(0, L"AudioShellTestWindow", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

#define REQUIRE_TOP_LEVEL_WINDOW(window) \
    if (!(window))                       \
    GTEST_SKIP() << "no top-level window without a display (error " << GetLastError() << ")"
