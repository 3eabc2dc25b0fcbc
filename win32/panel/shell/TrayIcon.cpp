#include "TrayIcon.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "MessageFilter.h"

namespace {

constexpr UINT kIconId = 1;

class SystemShell final : public INotifyShell {
public:
    bool Notify(DWORD message, NOTIFYICONDATAW& data) override {
        return Shell_NotifyIconW(message, &data) != FALSE;
    }
};

}  // namespace

INotifyShell& SystemNotifyShell() {
    static SystemShell shell;
    return shell;
}

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, INotifyShell& shell)
    : owner_(owner),
      callbackMessage_(callbackMessage),
      shell_(shell),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    // The shell runs below an elevated panel's level.
    AllowMessageFromLowerLevels(owner_, taskbarCreated_);
}

TrayIcon::~TrayIcon() {
    Remove();
}

void TrayIcon::StopRetrying() {
    if (retries_ > 0)
        KillTimer(owner_, kRetryTimer);
    retries_ = 0;
}

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    // Version 4 shows the hint only when asked to; older shells ignore the flag.
    data.uFlags = NIF_MESSAGE | NIF_TIP | NIF_SHOWTIP | (icon_ ? NIF_ICON : 0);
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_.get();
    const size_t length = std::min(hint_.size(), std::size(data.szTip) - 1);
    std::copy_n(hint_.begin(), length, data.szTip);
    return data;
}

bool TrayIcon::TryAdd() {
    NOTIFYICONDATAW data = Data();
    tried_ = true;
    // An add that timed out may have added the icon all the same: the modify then finds it.
    added_ = shell_.Notify(NIM_ADD, data) || shell_.Notify(NIM_MODIFY, data);
    if (added_) {
        StopRetrying();
        // Keyboard users reach the icon only through version 4's NIN_KEYSELECT and
        // WM_CONTEXTMENU. A shell without it keeps the version 0 form.
        data.uVersion = NOTIFYICON_VERSION_4;
        version4_ = shell_.Notify(NIM_SETVERSION, data);
        pointerSelect_ = false;
    } else if (retries_ == 0 && SetTimer(owner_, kRetryTimer, kRetryPeriodMs, nullptr)) {
        // At log-on the shell may not take icons yet.
        retries_ = 1;
    }
    return added_;
}

bool TrayIcon::Add() {
    wanted_ = true;
    return added_ || TryAdd();
}

bool TrayIcon::Remove() {
    wanted_ = false;
    StopRetrying();
    // Also after an add that seemed to fail: it may have timed out having added the icon.
    if (!added_ && !tried_)
        return false;
    added_ = false;
    tried_ = false;
    NOTIFYICONDATAW data = Data();
    return shell_.Notify(NIM_DELETE, data);
}

bool TrayIcon::SetIcon(HICON icon) {
    icon_.reset(icon ? CopyIcon(icon) : nullptr);
    if (!added_)
        return true;
    NOTIFYICONDATAW data = Data();
    return shell_.Notify(NIM_MODIFY, data);
}

bool TrayIcon::SetHint(const std::u16string& hint) {
    hint_ = hint;
    if (!added_)
        return true;
    NOTIFYICONDATAW data = Data();
    return shell_.Notify(NIM_MODIFY, data);
}

bool TrayIcon::SetIconAndHint(HICON icon, const std::u16string& hint) {
    icon_.reset(icon ? CopyIcon(icon) : nullptr);
    hint_ = hint;
    if (!added_)
        return true;
    NOTIFYICONDATAW data = Data();
    return shell_.Notify(NIM_MODIFY, data);
}

bool TrayIcon::ScreenRect(RECT* rect) const {
    if (!added_ || !rect)
        return false;
    // Windows 7 and later: looked up at run time.
    using GetRect = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER*, RECT*);
    const HMODULE shell = GetModuleHandleW(L"shell32.dll");
    const auto getRect = shell ? reinterpret_cast<GetRect>(reinterpret_cast<void*>(
                                     GetProcAddress(shell, "Shell_NotifyIconGetRect")))
                               : nullptr;
    if (!getRect)
        return false;
    NOTIFYICONIDENTIFIER id{};
    id.cbSize = sizeof id;
    id.hWnd = owner_;
    id.uID = kIconId;
    return SUCCEEDED(getRect(&id, rect)) && rect->right > rect->left && rect->bottom > rect->top;
}

bool TrayIcon::HandleMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kRetryTimer) {
        // A tick queued before the retries ended finds them over.
        if (retries_ > 0) {
            if (!wanted_ || added_)
                StopRetrying();
            else if (!TryAdd() && ++retries_ > kRetryLimit)
                StopRetrying();  // "TaskbarCreated" still brings it when the shell starts
        }
        return true;
    }
    if (taskbarCreated_ == 0 || message != taskbarCreated_)
        return false;
    // A new shell knows no icons: add ours again, also one that no shell took before. When the
    // shell did not restart after all, the add fails and the modify finds the icon.
    if (wanted_)
        TryAdd();
    return true;
}

TrayEvent TrayIcon::Decode(WPARAM wParam, LPARAM lParam) {
    // Both forms carry the event in the low word of lParam.
    const UINT event = LOWORD(lParam);
    if (!version4_) {
        switch (event) {
            case WM_LBUTTONDBLCLK:
                return TrayEvent::Show;
            case WM_RBUTTONUP:
                anchorKnown_ = false;
                return TrayEvent::OpenMenu;
            default:
                return TrayEvent::None;
        }
    }
    switch (event) {
        case WM_LBUTTONDBLCLK:
            return TrayEvent::Show;
        case WM_LBUTTONUP:
            pointerSelect_ = true;
            return TrayEvent::None;
        case NIN_SELECT:
            // After a click it is the click's, which shows nothing; alone it is Enter.
            if (pointerSelect_) {
                pointerSelect_ = false;
                return TrayEvent::None;
            }
            return TrayEvent::Show;
        case NIN_KEYSELECT:
            return TrayEvent::Show;
        case WM_CONTEXTMENU:
            // Follows the right button's release too: the menu opens here only.
            anchor_ = {GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
            anchorKnown_ = true;
            return TrayEvent::OpenMenu;
        default:
            return TrayEvent::None;
    }
}

POINT TrayIcon::MenuAnchor() const {
    POINT at = anchor_;
    if (!anchorKnown_)
        GetCursorPos(&at);
    return at;
}
