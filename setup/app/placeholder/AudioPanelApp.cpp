// PLACEHOLDER, not the control panel: stands in for AudioPanelApp.exe in the installer's "APP"
// payload until the real panel is built. It shows nothing and ends on WM_CLOSE or on the
// installer's exit message, so that installing, starting and uninstalling have a real program to
// work on.
#include <windows.h>

namespace {

UINT g_exitMessage = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_exitMessage && g_exitMessage != 0) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int) {
    g_exitMessage = RegisterWindowMessageW(L"WM_QLN47xxAPP_EXIT");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"QLN47xxPanelPlaceholder";
    if (!RegisterClassW(&windowClass))
        return 1;
    // A hidden top-level window: broadcasts reach it, message-only windows they would not.
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"AudioPanelApp placeholder",
                                  WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
