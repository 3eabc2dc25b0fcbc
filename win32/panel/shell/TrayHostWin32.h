// The presentation's tray host: the icon of the windows and the notification area, the hint and
// the application title.
//
// <windows.h> comes first so its LoadIcon macro renames the port's method here and in the
// portable declaration alike; the override then takes the same slot.
#pragma once

#include <windows.h>

#include <string>

#include "Icons.h"
#include "Presentation.h"
#include "TrayIcon.h"

class TrayHostWin32 : public ITrayHost {
public:
    // applicationWindow: the hidden top-level window whose text is the application's title.
    TrayHostWin32(TrayIcon& tray, HWND mainWindow, HWND applicationWindow);
    // Takes the icons back from the windows before they are destroyed.
    ~TrayHostWin32() override;
    TrayHostWin32(const TrayHostWin32&) = delete;
    TrayHostWin32& operator=(const TrayHostWin32&) = delete;

    bool LoadIcon(const std::u16string& path) override;
    void SetTrayHint(const std::u16string& hint) override;
    void SetApplicationTitle(const std::u16string& title) override;

    // The tray shows the icon's muted variant (made the first time it is needed, at the loaded
    // icon's size) or the icon itself, with tooltip.
    void ShowMicrophone(bool muted, const std::u16string& tooltip);
    HICON ShownIcon() const { return muted_ && mutedIcon_ ? mutedIcon_.get() : icons_.Small(); }

private:
    void SetWindowIcons(HICON small, HICON large);

    TrayIcon& tray_;
    HWND mainWindow_;
    HWND applicationWindow_;
    Icons icons_;
    UniqueIcon mutedIcon_;  // of icons_.Small()
    bool muted_ = false;
};
