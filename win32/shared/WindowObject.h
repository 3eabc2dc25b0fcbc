// The object behind a window procedure: a window created with the object as its creation
// parameter keeps it in its user data from WM_NCCREATE on. Null for messages before that.
#pragma once

#include <windows.h>

template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
