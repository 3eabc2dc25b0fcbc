// The panel's one icon in the notification area, removed with the object.
//
//   TrayIcon tray(mainWindow, kTrayMessage);
//   tray.SetIcon(icon); tray.SetHint(u"QLN Audio"); tray.Add();
//   // in the window procedure:
//   if (tray.HandleMessage(message, wParam)) return 0;
//   if (message == kTrayMessage) switch (TrayIcon::Decode(wParam, lParam)) ...
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "ShellHandles.h"

enum class TrayEvent { None, DoubleClick, OpenMenu };

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
    // The owner receives callbackMessage with the mouse message in lParam (the version 0 form).
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

    // The owner's messages for the icon: the retry timer and the shell's "TaskbarCreated", on
    // which the icon is added again. True when message was one of them.
    bool HandleMessage(UINT message, WPARAM wParam);

    static TrayEvent Decode(WPARAM wParam, LPARAM lParam);

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
    int retries_ = 0;      // ticks of the retry timer so far; 0 while it does not run
};
