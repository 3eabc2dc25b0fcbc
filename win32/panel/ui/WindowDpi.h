// The density of the screen a window is on. Per monitor where the system knows it (Windows 10:
// the window's; Windows 8.1: its monitor's), else the system's (Windows 7 and before). The newer
// calls are looked up at run time so the program still starts where they do not exist.
#pragma once

#include <windows.h>

int WindowDpi(HWND window);

// AdjustWindowRectEx with the frame's metrics at a density (Windows 10), else the system's.
void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi);

// The message a per-monitor aware window gets when its density changes (moved to another
// monitor, or the user changed the scale): LOWORD(wParam) is the new density, lParam the
// suggested window rectangle.
constexpr UINT kDpiChangedMessage = 0x02E0;
