// The brief notice near the notification area that the microphone's mute changed: a small
// topmost window that never takes the focus, drawn at its screen's density in the system's
// colours while high contrast is on, gone after kShownMs (a second change shows its own text and
// starts the time again). Screen readers hear it as an alert whose name is the text.
//
//   MicNoticeWindow notice(instance);
//   notice.Show(u"Microphone muted", trayHost.ShownIcon(), colours, &trayIconRect);
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "AccessibleOwner.h"
#include "Colours.h"
#include "GdiHandles.h"
#include "ShellHandles.h"

class MicNoticeWindow final : public IAccessibleHost {
public:
    static constexpr UINT kShownMs = 1500;
    static constexpr wchar_t kClassName[] = L"TAudioMicNotice";

    explicit MicNoticeWindow(HINSTANCE instance);
    ~MicNoticeWindow() override;
    MicNoticeWindow(const MicNoticeWindow&) = delete;
    MicNoticeWindow& operator=(const MicNoticeWindow&) = delete;

    // icon: drawn before the text (the caller keeps it while the notice lives); trayIcon: the
    // tray icon's screen rectangle, or null where the shell does not tell it. The window is made
    // at the first notice.
    void Show(const std::u16string& text, HICON icon, const SystemColours& colours,
              const RECT* trayIcon);
    void Hide();
    bool Shown() const;
    HWND Handle() const { return window_.get(); }

    // IAccessibleHost: one static text, the notice's.
    std::vector<AccessibleItem> Describe() override;
    std::u16string WindowName() override { return text_; }
    long WindowRole() override { return ROLE_SYSTEM_ALERT; }
    RECT ToScreen(const Rect& client) override;
    Point ToDesign(POINT screen) override;
    bool Focus(const Control&) override { return false; }
    void DoDefaultAction(const Control&) override {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool Create();
    // Font, size and place for the text at the window's density.
    void Layout(const RECT* trayIcon);
    void Paint(HDC dc);

    static constexpr UINT_PTR kHideTimer = 1;

    HINSTANCE instance_;
    UniqueWindow window_;
    std::u16string text_;
    HICON icon_ = nullptr;
    SystemColours colours_;
    UniqueFont font_;
    int dpi_ = 96;
    RECT textRect_{};  // client coordinates
    Control label_;    // stands for the painted text
    std::unique_ptr<AccessibleOwner> access_;
};
