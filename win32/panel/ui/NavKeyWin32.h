// The main window's keys: a WM_KEYDOWN's virtual key as the panel's navigation key, with the
// Shift and Ctrl state of the message that is being handled.
#pragma once

#include <windows.h>

#include "KeyboardFocus.h"

// False for a key the panel does not use.
bool NavKeyOf(WPARAM virtualKey, NavKey* key);
// GetKeyState: the state as of the message, not as the keyboard is now.
KeyModifiers KeyModifiersNow();
// Keys that move the focus rather than act on it: they show the focus indicator, as in a dialog.
bool IsNavigationKey(NavKey key);
