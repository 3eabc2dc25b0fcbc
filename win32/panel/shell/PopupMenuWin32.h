// The tray's popup menu from the presentation's menu model.
//
//   MenuPick pick = PopupMenuWin32::Track(mainWindow, look.PopupMenu(), cursor);
//   if (pick.name == u"SkinMenu" && pick.subIndex >= 0) look.SkinMenuClick(pick.subIndex);
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Presentation.h"
#include "ShellHandles.h"

// The chosen entry: the top-level item's component name and the index in its submenu (-1 for
// a top-level item without one). An empty name when the menu was dismissed.
struct MenuPick {
    std::u16string name;
    int subIndex = -1;
};

// The menu for model, two levels deep; commands receives what each command id stands for (id
// n is commands[n - 1]; 0 is never used, as TrackPopupMenuEx returns it for "nothing chosen").
// A top-level item without items is a command itself. Null when the system refuses a menu.
UniqueMenu BuildMenu(const std::vector<MenuItem>& model, std::vector<MenuPick>& commands);

class PopupMenuWin32 {
public:
    // Shows the menu at a screen point for owner and waits for the choice. Nothing is shown
    // while owner is disabled by a modal window: that window comes forward instead.
    static MenuPick Track(HWND owner, const std::vector<MenuItem>& model, POINT screenAt);
};
