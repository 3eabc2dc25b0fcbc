// The panel's one icon in the notification area, removed with the object.
//
//   TrayIcon tray(mainWindow, kTrayMessage);
//   tray.SetIcon(icon); tray.SetHint(u"QLN Audio"); tray.Add();
//   // in the window procedure:
//   if (tray.HandleMessage(message, wParam)) return 0;
//   if (message == kTrayMessage) switch (tray.Decode(wParam, lParam)) ...
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "ShellHandles.h"

// Show: a double-click, or Enter or Space on the icon chosen with the keyboard (Win+B, arrows).
// OpenMenu: the right button released, Shift+F10 or the Applications key.
enum class TrayEvent { None, Show, OpenMenu };

// Port: the shell's notification area (Shell_NotifyIconW).
class INotifyShell {
public:
    virtual ~INotifyShell() = default;
    virtual bool Notify(DWORD message, NOTIFYICONDATAW& data) = 0;
};

// The system's shell.
INotifyShell& SystemNotifyShell();

class TrayIcon {
public:
    // The owner receives callbackMessage: in the version 4 form (the event in the low word of
    // lParam, the menu's anchor in wParam) where the shell takes it, else in the version 0 form.
    TrayIcon(HWND owner, UINT callbackMessage, INotifyShell& shell = SystemNotifyShell());
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The owner's timer that retries an add the shell refused, once a second for five minutes.
    static constexpr UINT_PTR kRetryTimer = 0x7A1;
    static constexpr int kRetryLimit = 300;

    // Shows the icon; true when it is shown afterwards. Otherwise the add is tried again on the
    // owner's timer (kRetryTimer, which the owner hands to HandleMessage) and on the shell's
    // "TaskbarCreated".
    bool Add();
    bool Remove();
    bool Added() const { return added_; }

    // A copy of icon is kept so the icon can be shown again after a shell restart. While the
    // icon is shown, these update it and return the shell's answer; otherwise they only store.
    bool SetIcon(HICON icon);
    bool SetHint(const std::u16string& hint);
    const std::u16string& Hint() const { return hint_; }
    // Both in one change of the shown icon.
    bool SetIconAndHint(HICON icon, const std::u16string& hint);
    // Where the shell shows the icon, on the screen; false when it does not say (no icon shown,
    // or a shell before Windows 7).
    bool ScreenRect(RECT* rect) const;

    // The owner's messages for the icon: the retry timer and the shell's "TaskbarCreated", on
    // which the icon is added again. True when message was one of them.
    bool HandleMessage(UINT message, WPARAM wParam);

    // One event per gesture: a click is no Show, and a menu opens once however it was asked for.
    TrayEvent Decode(WPARAM wParam, LPARAM lParam);
    // Where the menu opens: the point the shell gave with the last OpenMenu (the icon, when the
    // keyboard asked), else the pointer.
    POINT MenuAnchor() const;
    // The shell took NOTIFYICON_VERSION_4: keyboard events arrive.
    bool KeyboardEvents() const { return version4_; }

private:
    NOTIFYICONDATAW Data() const;
    // NIM_ADD; the retry timer runs while it fails.
    bool TryAdd();
    void StopRetrying();

    static constexpr UINT kRetryPeriodMs = 1000;

    HWND owner_;
    UINT callbackMessage_;
    INotifyShell& shell_;
    UINT taskbarCreated_;
    UniqueIcon icon_;
    std::u16string hint_;
    bool added_ = false;
    bool wanted_ = false;  // between Add and Remove
    bool tried_ = false;   // an add was sent since the last delete, whatever it answered
    bool version4_ = false;
    bool pointerSelect_ = false;  // a left-button release whose NIN_SELECT is still to come
    bool anchorKnown_ = false;
    POINT anchor_{};
    int retries_ = 0;  // ticks of the retry timer so far; 0 while it does not run
};
