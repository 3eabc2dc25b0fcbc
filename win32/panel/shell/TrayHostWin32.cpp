#include "TrayHostWin32.h"

#include "MutedIcon.h"
#include "WideText.h"

TrayHostWin32::TrayHostWin32(TrayIcon& tray, HWND mainWindow, HWND applicationWindow)
    : tray_(tray), mainWindow_(mainWindow), applicationWindow_(applicationWindow) {}

TrayHostWin32::~TrayHostWin32() {
    if (icons_.Small() || icons_.Large())
        SetWindowIcons(nullptr, nullptr);
}

void TrayHostWin32::SetWindowIcons(HICON small, HICON large) {
    for (HWND window : {mainWindow_, applicationWindow_}) {
        if (!window || !IsWindow(window))
            continue;
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

bool TrayHostWin32::LoadIcon(const std::u16string& path) {
    Icons loaded;
    if (!loaded.Load(path))
        return false;
    // The windows use the handles without copying: hand over the new ones before the old go.
    SetWindowIcons(loaded.Small(), loaded.Large());
    icons_ = std::move(loaded);
    mutedIcon_.reset();
    tray_.SetIcon(ShownIcon());
    return true;
}

void TrayHostWin32::ShowMicrophone(bool muted, const std::u16string& tooltip) {
    muted_ = muted;
    if (muted_ && !mutedIcon_)
        mutedIcon_ = MakeMutedIcon(icons_.Small());
    tray_.SetIconAndHint(ShownIcon(), tooltip);
}

void TrayHostWin32::SetTrayHint(const std::u16string& hint) {
    tray_.SetHint(hint);
}

void TrayHostWin32::SetApplicationTitle(const std::u16string& title) {
    if (applicationWindow_)
        SetWindowTextW(applicationWindow_, W(title));
}
