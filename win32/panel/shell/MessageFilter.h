// An elevated panel (the installer starts it with its own rights) still hears the shell's
// "TaskbarCreated" and the exit message that programs of a lower integrity level send: the
// message is let through the window's message filter.
#pragma once

#include <windows.h>

// True when the message may reach the window afterwards. Windows 7 and later filter per window,
// Vista per process; earlier systems filter nothing. The calls are looked up at run time.
bool AllowMessageFromLowerLevels(HWND window, UINT message);
