#include "PopupMenuWin32.h"

#include "WideText.h"

namespace {

bool AppendCommand(HMENU menu, const MenuItem& item, MenuPick pick,
                   std::vector<MenuPick>& commands) {
    commands.push_back(std::move(pick));
    const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED);
    return AppendMenuW(menu, flags, commands.size(), W(item.caption)) != FALSE;
}

}  // namespace

UniqueMenu BuildMenu(const std::vector<MenuItem>& model, std::vector<MenuPick>& commands) {
    commands.clear();
    UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return nullptr;
    for (const MenuItem& top : model) {
        if (top.items.empty()) {
            if (!AppendCommand(menu.get(), top, {top.name, -1}, commands))
                return nullptr;
            continue;
        }
        UniqueMenu sub(CreatePopupMenu());
        if (!sub)
            return nullptr;
        for (size_t i = 0; i < top.items.size(); ++i) {
            if (!AppendCommand(sub.get(), top.items[i], {top.name, static_cast<int>(i)}, commands))
                return nullptr;
        }
        if (!AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.get()),
                         W(top.caption)))
            return nullptr;
        // The parent menu destroys it from now on.
        sub.release();
    }
    return menu;
}

MenuPick PopupMenuWin32::Track(HWND owner, const std::vector<MenuItem>& model, POINT screenAt) {
    // A modal window (About, a file dialog) runs over the owner: a menu would nest inside its
    // loop and lift the owner above it. Bring that window forward instead.
    if (owner && !IsWindowEnabled(owner)) {
        HWND modal = GetLastActivePopup(owner);
        if (modal && modal != owner)
            SetForegroundWindow(modal);
        return {};
    }
    std::vector<MenuPick> commands;
    UniqueMenu menu = BuildMenu(model, commands);
    if (!menu)
        return {};
    // Without the foreground the menu stays open when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenAt.x,
                         screenAt.y, owner, nullptr));
    // Lets the menu close properly the next time it opens from the notification area.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (id == 0 || id > commands.size())
        return {};
    return commands[id - 1];
}
