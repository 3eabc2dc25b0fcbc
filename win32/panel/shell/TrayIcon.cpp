#include "TrayIcon.h"

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
    data.uFlags = NIF_MESSAGE | NIF_TIP | (icon_ ? NIF_ICON : 0);
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
    // One event per gesture: opening the menu on more than one would nest two menus.
    switch (LOWORD(lParam)) {
        case WM_LBUTTONDBLCLK:
            return TrayEvent::DoubleClick;
        case WM_RBUTTONUP:
            return TrayEvent::OpenMenu;
        default:
            return TrayEvent::None;
    }
}
