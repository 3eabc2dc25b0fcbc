// The panel's one icon in the notification area, removed with the object.
//
//   TrayIcon tray(mainWindow, kTrayMessage);
//   tray.SetIcon(icon); tray.SetHint(u"QLN Audio"); tray.Add();
//   // in the window procedure:
//   if (tray.HandleTaskbarCreated(message)) return 0;
//   if (message == kTrayMessage) switch (TrayIcon::Decode(wParam, lParam)) ...
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "ShellHandles.h"

enum class TrayEvent { None, DoubleClick, OpenMenu };

class TrayIcon {
public:
    // The owner receives callbackMessage with the mouse message in lParam (the version 0 form).
    TrayIcon(HWND owner, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows the icon; true when it is shown afterwards.
    bool Add();
    bool Remove();
    bool Added() const { return added_; }

    // A copy of icon is kept so the icon can be shown again after a shell restart. While the
    // icon is shown, these update it and return the shell's answer; otherwise they only store.
    bool SetIcon(HICON icon);
    bool SetHint(const std::u16string& hint);
    const std::u16string& Hint() const { return hint_; }

    // True when message is the shell's "TaskbarCreated": the icon, if shown, is added again.
    bool HandleTaskbarCreated(UINT message);

    static TrayEvent Decode(WPARAM wParam, LPARAM lParam);

private:
    NOTIFYICONDATAW Data() const;

    HWND owner_;
    UINT callbackMessage_;
    UINT taskbarCreated_;
    UniqueIcon icon_;
    std::u16string hint_;
    bool added_ = false;
};
