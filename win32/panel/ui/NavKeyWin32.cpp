#include "NavKeyWin32.h"

bool NavKeyOf(WPARAM virtualKey, NavKey* key) {
    switch (virtualKey) {
        case VK_TAB:
            *key = NavKey::Tab;
            return true;
        case VK_RETURN:
            *key = NavKey::Enter;
            return true;
        case VK_SPACE:
            *key = NavKey::Space;
            return true;
        case VK_ESCAPE:
            *key = NavKey::Escape;
            return true;
        case VK_LEFT:
            *key = NavKey::Left;
            return true;
        case VK_RIGHT:
            *key = NavKey::Right;
            return true;
        case VK_UP:
            *key = NavKey::Up;
            return true;
        case VK_DOWN:
            *key = NavKey::Down;
            return true;
        case VK_PRIOR:
            *key = NavKey::PageUp;
            return true;
        case VK_NEXT:
            *key = NavKey::PageDown;
            return true;
        case VK_HOME:
            *key = NavKey::Home;
            return true;
        case VK_END:
            *key = NavKey::End;
            return true;
        default:
            return false;
    }
}

KeyModifiers KeyModifiersNow() {
    KeyModifiers modifiers;
    modifiers.shift = GetKeyState(VK_SHIFT) < 0;
    modifiers.ctrl = GetKeyState(VK_CONTROL) < 0;
    return modifiers;
}

bool IsNavigationKey(NavKey key) {
    switch (key) {
        case NavKey::Tab:
        case NavKey::Left:
        case NavKey::Right:
        case NavKey::Up:
        case NavKey::Down:
        case NavKey::PageUp:
        case NavKey::PageDown:
        case NavKey::Home:
        case NavKey::End:
            return true;
        default:
            return false;
    }
}
