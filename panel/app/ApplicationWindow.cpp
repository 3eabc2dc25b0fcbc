#include "ApplicationWindow.h"

#include "PanelError.h"
#include "WideText.h"
#include "WindowObject.h"

namespace {

constexpr wchar_t kClassName[] = L"TApplication";

}  // namespace

ApplicationWindow::ApplicationWindow(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ApplicationWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    // Never shown: a zero-sized popup that owns the main window.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    if (!window_) {
        throw PanelError(u"Cannot create the application window");
    }
}

ApplicationWindow::~ApplicationWindow() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void ApplicationWindow::SetTitle(const std::u16string& title) {
    SetWindowTextW(window_, W(title));
}

LRESULT CALLBACK ApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = WindowObject<ApplicationWindow>(window, message, lParam);
    if (self && message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
        if (self->onRestore) {
            self->onRestore();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ApplicationWindow::Run() {
    MSG message;
    while (!terminated_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ApplicationWindow::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void ApplicationWindow::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
