// The icon file, the notification-area icon on a real window and the tray host's effect on the
// windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Icons.h"
#include "ShellTestWindow.h"
#include "TestFiles.h"
#include "TrayHostWin32.h"
#include "TrayIcon.h"

namespace {

constexpr UINT kTrayMessage = WM_APP + 7;

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {0, 0};
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(mask.get(), sizeof bitmap, &bitmap);
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    return {bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// A window that needs no display: enough for WM_SETICON and window texts.
UniqueWindow MessageWindow(const wchar_t* title) {
    return UniqueWindow(MakeShellTestWindow(title, HWND_MESSAGE));
}

TEST(Icons, LoadsTheProductIconAtBothSystemSizes) {
    Icons icons;
    ASSERT_TRUE(icons.Load(SourcePath("product/AudioPanel.ico")));
    const SIZE small = IconSize(icons.Small());
    const SIZE large = IconSize(icons.Large());
    EXPECT_EQ(small.cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(small.cy, GetSystemMetrics(SM_CYSMICON));
    EXPECT_EQ(large.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(large.cy, GetSystemMetrics(SM_CYICON));
}

TEST(Icons, UnreadableFileKeepsTheIconsHeld) {
    TempFolder temp;
    Icons icons;
    EXPECT_FALSE(icons.Load(temp.File(u"missing.ico")));
    EXPECT_EQ(icons.Small(), nullptr);
    ASSERT_TRUE(icons.Load(SourcePath("product/AudioPanel.ico")));
    const HICON held = icons.Small();
    EXPECT_FALSE(icons.Load(temp.Write(u"broken.ico", "not an icon")));
    EXPECT_EQ(icons.Small(), held);
}

TEST(TrayIcon, AddModifyAndDeleteOnAHiddenWindow) {
    UniqueWindow window(MakeShellTestWindow());
    REQUIRE_TOP_LEVEL_WINDOW(window);
    Icons icons;
    ASSERT_TRUE(icons.Load(SourcePath("product/AudioPanel.ico")));
    {
        TrayIcon tray(window.get(), kTrayMessage);
        EXPECT_TRUE(tray.SetIcon(icons.Small()));
        // Longer than the hint can hold: cut, not refused.
        EXPECT_TRUE(tray.SetHint(std::u16string(200, u'h')));
        ASSERT_TRUE(tray.Add());
        // The system's shell takes version 4: Enter, Space and the menu keys reach the panel.
        EXPECT_TRUE(tray.KeyboardEvents());
        EXPECT_TRUE(tray.SetHint(u"QLN Audio \u00e9"));
        EXPECT_TRUE(tray.SetIcon(icons.Large()));
        // A shell restart: the icon comes back.
        const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
        EXPECT_FALSE(tray.HandleMessage(kTrayMessage, 0));
        EXPECT_TRUE(tray.HandleMessage(taskbarCreated, 0));
        EXPECT_TRUE(tray.Added());
    }
    // The destructor removed it: a second delete finds nothing.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window.get();
    data.uID = 1;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &data));
}

// A shell that is not ready yet: it refuses the first adds, or takes one but answers as if the
// call had timed out.
class SlowShell : public INotifyShell {
public:
    int refusedAdds = 0;
    int timedOutAdds = 0;
    int adds = 0;
    bool present = false;

    bool Notify(DWORD message, NOTIFYICONDATAW&) override {
        switch (message) {
            case NIM_ADD:
                ++adds;
                if (refusedAdds > 0) {
                    --refusedAdds;
                    return false;
                }
                if (timedOutAdds > 0) {
                    --timedOutAdds;
                    present = true;
                    return false;
                }
                if (present)
                    return false;
                present = true;
                return true;
            case NIM_MODIFY:
                return present;
            case NIM_DELETE: {
                const bool was = present;
                present = false;
                return was;
            }
            default:
                return false;
        }
    }
};

// Hands the window's timer ticks to the icon until it is shown or timeoutMs has passed.
bool PumpUntilAdded(HWND window, TrayIcon& tray, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!tray.Added()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MSG message;
        if (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
            if (!tray.HandleMessage(message.message, message.wParam))
                DispatchMessageW(&message);
            continue;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
    return true;
}

TEST(TrayIconShell, AddRefusedAtLogOnIsRetriedUntilTheShellTakesIt) {
    UniqueWindow window = MessageWindow(L"tray owner");
    ASSERT_TRUE(window);
    SlowShell shell;
    shell.refusedAdds = 2;
    {
        TrayIcon tray(window.get(), kTrayMessage, shell);
        EXPECT_FALSE(tray.Add());
        ASSERT_TRUE(PumpUntilAdded(window.get(), tray, 20000)) << "adds tried: " << shell.adds;
        EXPECT_EQ(shell.adds, 3);
        EXPECT_TRUE(shell.present);
    }
    EXPECT_FALSE(shell.present);
}

TEST(TrayIconShell, TaskbarCreatedAddsAnIconThatNeverWasAdded) {
    UniqueWindow window = MessageWindow(L"tray owner");
    ASSERT_TRUE(window);
    SlowShell shell;
    shell.refusedAdds = 1;
    TrayIcon tray(window.get(), kTrayMessage, shell);
    EXPECT_FALSE(tray.Add());
    EXPECT_TRUE(tray.HandleMessage(RegisterWindowMessageW(L"TaskbarCreated"), 0));
    EXPECT_TRUE(tray.Added());
    EXPECT_TRUE(shell.present);
}

TEST(TrayIconShell, AddThatTimedOutButAddedLeavesNoGhostIcon) {
    UniqueWindow window = MessageWindow(L"tray owner");
    ASSERT_TRUE(window);
    SlowShell shell;
    shell.timedOutAdds = 1;
    {
        TrayIcon tray(window.get(), kTrayMessage, shell);
        // The icon is there: it counts as shown, and no second add is tried.
        EXPECT_TRUE(tray.Add());
        EXPECT_EQ(shell.adds, 1);
    }
    EXPECT_FALSE(shell.present);
}

TEST(TrayIconShell, RetriesStopAfterTheirBound) {
    UniqueWindow window = MessageWindow(L"tray owner");
    ASSERT_TRUE(window);
    SlowShell shell;
    shell.refusedAdds = 100000;
    TrayIcon tray(window.get(), kTrayMessage, shell);
    EXPECT_FALSE(tray.Add());
    for (int tick = 0; tick < 2000; ++tick)
        tray.HandleMessage(WM_TIMER, TrayIcon::kRetryTimer);
    EXPECT_LE(shell.adds, TrayIcon::kRetryLimit + 1);
    EXPECT_FALSE(tray.Added());
    // The shell that starts later still gets the icon.
    shell.refusedAdds = 0;
    tray.HandleMessage(RegisterWindowMessageW(L"TaskbarCreated"), 0);
    EXPECT_TRUE(tray.Added());
}

// A shell that takes every call and answers NIM_SETVERSION as told: a shell from before version 4
// refuses it.
class PlainShell : public INotifyShell {
public:
    bool takesVersion4 = true;
    UINT version = 0;
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override {
        if (message != NIM_SETVERSION)
            return true;
        if (!takesVersion4)
            return false;
        version = data.uVersion;
        return true;
    }
};

// The shell's callbacks for one gesture, as lParam values (event in the low word, icon id in the
// high word in version 4); wParam holds the anchor (x 300, y 200).
struct Gesture {
    const char* name;
    bool version4;
    std::vector<UINT> events;
    std::vector<TrayEvent> expected;
};

TEST(TrayIconDecode, EachGestureGivesOneEventAndAClickStaysQuiet) {
    using E = TrayEvent;
    const Gesture gestures[] = {
        {"click", true, {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}, {E::None, E::None, E::None}},
        {"double-click",
         true,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP, NIN_SELECT},
         {E::None, E::None, E::None, E::Show, E::None, E::None}},
        {"Enter on the icon", true, {NIN_SELECT}, {E::Show}},
        {"Space on the icon", true, {NIN_KEYSELECT}, {E::Show}},
        {"right button",
         true,
         {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU},
         {E::None, E::None, E::OpenMenu}},
        {"Shift+F10 or the Applications key", true, {WM_CONTEXTMENU}, {E::OpenMenu}},
        {"version 0: double-click",
         false,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
         {E::None, E::None, E::Show}},
        {"version 0: right button",
         false,
         {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU},
         {E::None, E::OpenMenu, E::None}},
    };
    UniqueWindow window = MessageWindow(L"tray owner");
    ASSERT_TRUE(window);
    for (const Gesture& gesture : gestures) {
        PlainShell shell;
        shell.takesVersion4 = gesture.version4;
        TrayIcon tray(window.get(), kTrayMessage, shell);
        ASSERT_TRUE(tray.Add());
        EXPECT_EQ(tray.KeyboardEvents(), gesture.version4) << gesture.name;
        if (gesture.version4) {
            EXPECT_EQ(shell.version, static_cast<UINT>(NOTIFYICON_VERSION_4));
        }
        std::vector<TrayEvent> seen;
        for (UINT event : gesture.events) {
            const LPARAM lParam = gesture.version4 ? MAKELPARAM(event, 1) : event;
            const WPARAM wParam = gesture.version4 ? MAKEWPARAM(300, 200) : 1;
            seen.push_back(tray.Decode(wParam, lParam));
        }
        EXPECT_EQ(seen, gesture.expected) << gesture.name;
    }
}

TEST(TrayIconDecode, MenuOpensAtTheShellsAnchorElseAtThePointer) {
    UniqueWindow window = MessageWindow(L"tray owner");
    ASSERT_TRUE(window);
    PlainShell shell;
    TrayIcon tray(window.get(), kTrayMessage, shell);
    ASSERT_TRUE(tray.Add());
    // The keyboard's menu opens at the icon, which the shell gives (also left of or above the
    // primary screen).
    ASSERT_EQ(tray.Decode(MAKEWPARAM(-40, 700), MAKELPARAM(WM_CONTEXTMENU, 1)),
              TrayEvent::OpenMenu);
    EXPECT_EQ(tray.MenuAnchor().x, -40);
    EXPECT_EQ(tray.MenuAnchor().y, 700);

    PlainShell oldShell;
    oldShell.takesVersion4 = false;
    TrayIcon oldTray(window.get(), kTrayMessage, oldShell);
    ASSERT_TRUE(oldTray.Add());
    ASSERT_EQ(oldTray.Decode(1, WM_RBUTTONUP), TrayEvent::OpenMenu);
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_EQ(oldTray.MenuAnchor().x, pointer.x);
    EXPECT_EQ(oldTray.MenuAnchor().y, pointer.y);
}

TEST(TrayHostWin32, IconGoesToBothWindowsTitleToTheApplicationWindow) {
    UniqueWindow main = MessageWindow(L"main");
    UniqueWindow application = MessageWindow(L"");
    ASSERT_TRUE(main && application);
    TrayIcon tray(main.get(), kTrayMessage);
    {
        TrayHostWin32 host(tray, main.get(), application.get());
        ITrayHost& port = host;
        EXPECT_FALSE(port.LoadIcon(SourcePath("product/missing.ico")));
        ASSERT_TRUE(port.LoadIcon(SourcePath("product/AudioPanel.ico")));
        for (HWND window : {main.get(), application.get()}) {
            EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
            EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
        }
        port.SetApplicationTitle(u"QLN \u97f3\u58f0 Panel");
        wchar_t title[64] = {};
        GetWindowTextW(application.get(), title, 64);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(title)),
                  u"QLN \u97f3\u58f0 Panel");
        port.SetTrayHint(u"QLN Audio");
        EXPECT_EQ(tray.Hint(), u"QLN Audio");
    }
    // The host's icons are gone with it: the windows hold none of them any more.
    EXPECT_EQ(SendMessageW(main.get(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageW(application.get(), WM_GETICON, ICON_SMALL, 0), 0);
}

}  // namespace
