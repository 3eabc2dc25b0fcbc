#include "AboutForm.h"

#include <algorithm>

#include "ShellHandles.h"
#include "WideText.h"
#include "WindowDpi.h"
#include "WindowObject.h"

namespace {

constexpr wchar_t kClassName[] = L"TAboutForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// The window's outer rectangle for the client size, centred on the owner (or on the work area
// when the owner is not on screen) and kept inside the work area.
RECT Placement(HWND owner, Size client, int dpi) {
    RECT frame{0, 0, client.width, client.height};
    AdjustFrameForDpi(&frame, kStyle, kExStyle, dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT area = monitor.rcWork;

    RECT centre = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &centre);
    int x = (centre.left + centre.right - width) / 2;
    int y = (centre.top + centre.bottom - height) / 2;
    x = std::max<int>(area.left, std::min<int>(x, area.right - width));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
    return RECT{x, y, x + width, y + height};
}

}  // namespace

AboutForm::AboutForm(HINSTANCE instance) : instance_(instance) {}

bool AboutForm::RegisterWindowClass() const {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance_, kClassName, &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

void AboutForm::ShowModal(HWND owner, const AboutContent& content) {
    if (!closed_ || !RegisterWindowClass())
        return;
    // Drawn at the density of the panel's screen, where it opens.
    const int dpi = WindowDpi(owner);
    const AboutView view(content, dpi);
    const RECT place = Placement(owner, view.ClientSize(), dpi);
    owner_ = owner;
    view_ = &view;
    closed_ = false;
    UniqueWindow window(CreateWindowExW(kExStyle, kClassName, W(content.caption), kStyle,
                                        place.left, place.top, place.right - place.left,
                                        place.bottom - place.top, owner, nullptr, instance_, this));
    if (!window) {
        closed_ = true;
        view_ = nullptr;
        return;
    }
    access_ = std::make_unique<AboutAccessible>(window.get(), view.Layout());
    ownerWasEnabled_ = owner && IsWindowEnabled(owner);
    if (owner)
        EnableWindow(owner, FALSE);
    ShowWindow(window.get(), SW_SHOW);
    SetForegroundWindow(window.get());
    SetFocus(window.get());

    MSG message;
    while (!closed_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // Enabled again before the dialog goes, so the owner gets the activation back.
    if (owner && ownerWasEnabled_)
        EnableWindow(owner, TRUE);
    window.reset();
    access_.reset();
    closed_ = true;
    view_ = nullptr;
}

LRESULT CALLBACK AboutForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = WindowObject<AboutForm>(window, message, lParam);
    return form ? form->HandleMessage(window, message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT AboutForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            if (view_)
                view_->Paint(dc, client);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                PostMessageW(window, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_CLOSE:
            // The loop in ShowModal re-enables the owner and destroys the window; the posted
            // message wakes it when the close came from outside its own messages.
            closed_ = true;
            PostMessageW(window, WM_NULL, 0, 0);
            return 0;
        case WM_GETOBJECT: {
            LRESULT object = 0;
            if (access_ && access_->Answer(wParam, lParam, &object))
                return object;
            break;
        }
        case WM_DESTROY:
            if (access_)
                access_->Disconnect();
            closed_ = true;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
