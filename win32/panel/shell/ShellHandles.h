// Owners of the user-interface handles the panel's shell adapters create; GDI objects, icons
// and device contexts have theirs in GdiHandles.h.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "GdiHandles.h"

struct MenuDestroyer {
    void operator()(HMENU menu) const {
        if (menu)
            DestroyMenu(menu);
    }
};
// Destroying a menu destroys the submenus attached to it.
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct WindowDestroyer {
    void operator()(HWND window) const {
        if (window && IsWindow(window))
            DestroyWindow(window);
    }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct FindCloser {
    void operator()(HANDLE find) const {
        if (find && find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;
