#include "BackgroundForm.h"

#include "DebugTrace.h"
#include "SetupLanguages.h"
#include "WideText.h"
#include "WindowObject.h"

namespace {
constexpr wchar_t kClassName[] = L"TBackgroundForm";
}

TBackgroundForm::TBackgroundForm(HINSTANCE instance, ISetupSystem& system,
                                 const std::u16string& programPath)
    : instance_(instance), system_(system) {
    DebugOutput(u"\n");
    DebugOutput(u"==> TBackgroundForm::TBackgroundForm\n");
    exeFolder_ = programPath.substr(0, programPath.rfind(u'\\') + 1);
    const BackgroundSize size = ReadBackgroundSize(
        system_, exeFolder_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    width_ = size.width;
    height_ = size.height;
}

bool TBackgroundForm::Create() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass))
        return false;
    // WS_EX_APPWINDOW: the main window owns the taskbar button.
    window_ = CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"", WS_POPUP, 0, 0, width_, height_,
                              nullptr, nullptr, instance_, this);
    return window_ != nullptr;
}

void TBackgroundForm::Show(const std::function<void()>& showWizard) {
    ShowWindow(window_, SW_SHOW);
    FormShow(showWizard);
}

void TBackgroundForm::FormShow(const std::function<void()>& showWizard) {
    DebugOutput(u"==> TBackgroundForm::FormShow\n");
    system_.ReadProfile(exeFolder_ + u"AudioConfig.cfg", u"Install", u"InstallBackgroundFileName",
                        backgroundFile_);
    if (backgroundFile_.empty()) {
        picture_.reset();
        width_ = 1;
        height_ = 1;
    } else {
        const std::u16string path = exeFolder_ + backgroundFile_;
        picture_.reset(static_cast<HBITMAP>(
            LoadImageW(nullptr, W(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        // An unreadable picture leaves a plain background; the installation does not need it.
        if (!picture_)
            DebugOutput(u"***** Background picture not loaded: " + path + u" *****\n");
    }
    InvalidateRect(window_, nullptr, TRUE);
    showWizard();
}

void TBackgroundForm::Place() {
    MoveWindow(window_, 0, 0, width_, height_, TRUE);
}

void TBackgroundForm::SetTitle(const std::u16string& title) {
    SetWindowTextW(window_, W(title));
}

void TBackgroundForm::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    BITMAP info{};
    if (picture_ && GetObjectW(picture_.get(), sizeof info, &info)) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture_.get());
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(window_, &paint);
}

LRESULT CALLBACK TBackgroundForm::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* form = WindowObject<TBackgroundForm>(window, message, lParam);
    if (message == WM_NCCREATE && form)
        form->window_ = window;
    return form ? form->HandleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TBackgroundForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            // The main window: closing it ends the program.
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
