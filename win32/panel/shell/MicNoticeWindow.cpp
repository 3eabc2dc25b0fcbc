#include "MicNoticeWindow.h"

#include <algorithm>

#include "NoticePlacement.h"
#include "WideText.h"
#include "WindowDpi.h"
#include "WindowObject.h"

namespace {

// Outside high contrast: light text on a dark box with a lighter edge, on any desktop.
constexpr COLORREF kBackground = RGB(38, 42, 48);
constexpr COLORREF kText = RGB(255, 255, 255);
constexpr COLORREF kEdge = RGB(120, 130, 140);
constexpr int kPadding = 10;  // at 96 dots per inch
constexpr int kGap = 8;
constexpr int kIconSize = 16;
constexpr int kMargin = 8;

int Scaled(int value, int dpi) {
    return MulDiv(value, dpi, 96);
}

// The system's message font, a quarter larger, at the density.
UniqueFont NoticeFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    int systemDpi = 96;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
        HDC screen = GetDC(nullptr);
        if (screen) {
            systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
        }
    } else {
        font.lfHeight = -12;
        lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    }
    if (font.lfHeight == 0)
        font.lfHeight = -12;
    font.lfHeight = MulDiv(font.lfHeight, dpi * 5, std::max(systemDpi, 1) * 4);
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

MicNoticeWindow::MicNoticeWindow(HINSTANCE instance) : instance_(instance) {
    label_.name = "MicNoticeText";
}

MicNoticeWindow::~MicNoticeWindow() {
    if (access_)
        access_->Disconnect();
    // Its last messages go to DefWindowProc: the members they would reach are going.
    if (window_)
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

bool MicNoticeWindow::Create() {
    if (window_)
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MicNoticeWindow::WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when registered before
    // No owner: it shows while the panel's window is hidden. A tool window has no task-bar
    // button; no-activate keeps the focus where the user has it.
    window_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName,
                                  L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance_, this));
    if (!window_)
        return false;
    access_ = std::make_unique<AccessibleOwner>(window_.get(), *this);
    return true;
}

void MicNoticeWindow::Show(const std::u16string& text, HICON icon, const SystemColours& colours,
                           const RECT* trayIcon) {
    if (!Create())
        return;
    HWND window = window_.get();
    text_ = text;
    icon_ = icon;
    colours_ = colours;
    SetWindowTextW(window, W(text_));
    Layout(trayIcon);
    InvalidateRect(window, nullptr, FALSE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window);
    // Shown again for a second change: its time starts again.
    SetTimer(window, kHideTimer, kShownMs, nullptr);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
}

void MicNoticeWindow::Hide() {
    if (!window_)
        return;
    KillTimer(window_.get(), kHideTimer);
    ShowWindow(window_.get(), SW_HIDE);
}

bool MicNoticeWindow::Shown() const {
    return window_ && IsWindowVisible(window_.get());
}

void MicNoticeWindow::Layout(const RECT* trayIcon) {
    HWND window = window_.get();
    dpi_ = WindowDpi(window);
    font_ = NoticeFont(dpi_);
    // Measured as drawn: DrawTextW on a DC of the screen's kind with the font.
    SIZE textSize{0, 0};
    UniqueDc dc(CreateCompatibleDC(nullptr));
    if (dc) {
        SelectedObject selected(dc.get(), font_.get());
        RECT measured{0, 0, 0, 0};
        DrawTextW(dc.get(), W(text_), static_cast<int>(text_.size()), &measured,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        textSize = {measured.right - measured.left, measured.bottom - measured.top};
    }
    const int padding = Scaled(kPadding, dpi_);
    const int iconSize = icon_ ? Scaled(kIconSize, dpi_) : 0;
    const int gap = icon_ ? Scaled(kGap, dpi_) : 0;
    const int height = std::max<int>(iconSize, textSize.cy) + 2 * padding;
    const int width = padding + iconSize + gap + textSize.cx + padding;
    const int textLeft = padding + iconSize + gap;
    textRect_ = {textLeft, (height - textSize.cy) / 2, textLeft + textSize.cx,
                 (height - textSize.cy) / 2 + textSize.cy};

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Rect icon;
    if (trayIcon)
        icon = {trayIcon->left, trayIcon->top, trayIcon->right - trayIcon->left,
                trayIcon->bottom - trayIcon->top};
    const Rect place = PlaceNotice(
        {width, height}, {work.left, work.top, work.right - work.left, work.bottom - work.top},
        trayIcon ? &icon : nullptr, Scaled(kMargin, dpi_));
    SetWindowPos(window, HWND_TOPMOST, place.left, place.top, place.width, place.height,
                 SWP_NOACTIVATE);
}

void MicNoticeWindow::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_.get(), &client);
    // In high contrast the system's window colours, as the panel's labels take them.
    const LabelInk ink = InkForLabel(static_cast<int32_t>(kText), colours_);
    const COLORREF background = ink.boxed ? static_cast<COLORREF>(ink.box) : kBackground;
    const COLORREF edge = ink.boxed ? static_cast<COLORREF>(ink.text) : kEdge;
    UniqueBrush fill(CreateSolidBrush(background));
    FillRect(dc, &client, fill.get());
    UniqueBrush frame(CreateSolidBrush(edge));
    FrameRect(dc, &client, frame.get());
    if (icon_) {
        const int size = Scaled(kIconSize, dpi_);
        DrawIconEx(dc, Scaled(kPadding, dpi_), (client.bottom - size) / 2, icon_, size, size, 0,
                   nullptr, DI_NORMAL);
    }
    SelectedObject selected(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ink.text));
    RECT text = textRect_;
    DrawTextW(dc, W(text_), static_cast<int>(text_.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_VCENTER | DT_NOCLIP);
}

LRESULT CALLBACK MicNoticeWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = WindowObject<MicNoticeWindow>(window, message, lParam);
    if (!self || !self->window_)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

LRESULT MicNoticeWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (dc)
                Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (wParam == kHideTimer) {
                Hide();
                return 0;
            }
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONUP:
            Hide();  // a click puts it away early
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
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::vector<AccessibleItem> MicNoticeWindow::Describe() {
    if (text_.empty())
        return {};
    AccessibleItem item;
    item.control = &label_;
    item.role = AccessRole::StaticText;
    item.name = text_;
    item.bounds = {textRect_.left, textRect_.top, textRect_.right - textRect_.left,
                   textRect_.bottom - textRect_.top};
    return {item};
}

// The notice is laid out in its own pixels.
RECT MicNoticeWindow::ToScreen(const Rect& client) {
    return DesignToScreen(window_.get(), ScreenScale(), client);
}

Point MicNoticeWindow::ToDesign(POINT screen) {
    return ScreenToDesign(window_.get(), ScreenScale(), screen);
}
