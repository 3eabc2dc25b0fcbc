// The microphone's state in the notification area on Windows: after each message the main
// window hands it what it shows; the tray icon and tooltip follow (TrayHostWin32), and a change
// from elsewhere shows the notice beside the icon (MicNoticeWindow).
#pragma once

#include <windows.h>

#include "MicNoticeWindow.h"
#include "MicTrayState.h"
#include "TrayHostWin32.h"
#include "TrayIcon.h"

class MicTrayShell {
public:
    MicTrayShell(HINSTANCE instance, TrayIcon& tray, TrayHostWin32& host)
        : tray_(tray), host_(host), notice_(instance) {}

    // hint: the tray's tooltip while the microphone is not muted.
    MicTrayUpdate Follow(const MicObserved& now, const std::u16string& hint,
                         const MicStateTexts& texts, const SystemColours& colours);

    const MicNoticeWindow& Notice() const { return notice_; }

private:
    TrayIcon& tray_;
    TrayHostWin32& host_;
    MicTrayState state_;
    MicNoticeWindow notice_;
};
