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

bool TrayIcon::Add() {
    if (added_)
        return true;
    NOTIFYICONDATAW data = Data();
    added_ = shell_.Notify(NIM_ADD, data);
    return added_;
}

bool TrayIcon::Remove() {
    if (!added_)
        return false;
    added_ = false;
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

bool TrayIcon::HandleMessage(UINT message, WPARAM) {
    if (taskbarCreated_ == 0 || message != taskbarCreated_)
        return false;
    // A new shell knows no icons: add ours again. When the shell did not restart after all,
    // the add fails and the icon is still there.
    if (added_) {
        NOTIFYICONDATAW data = Data();
        added_ = shell_.Notify(NIM_ADD, data) || shell_.Notify(NIM_MODIFY, data);
    }
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
