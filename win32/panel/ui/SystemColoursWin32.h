// The system's colours and the user's high-contrast setting, read when the window starts and
// again on WM_SYSCOLORCHANGE and WM_SETTINGCHANGE.
#pragma once

#include <windows.h>

#include "Colours.h"

// SPI_GETHIGHCONTRAST; while it is on, every system colour from GetSysColor. Outside high
// contrast the classic colours of SystemColours stay (the skins were drawn against them).
SystemColours ReadSystemColours();

// Where Windows keeps the same for the user: the flags under
// HKCU\Control Panel\Accessibility\HighContrast ("Flags") and the colours under
// HKCU\Control Panel\Colors ("R G B"). Wine keeps no high-contrast setting (SPI_GETHIGHCONTRAST
// answers off whatever was set) and a running program keeps the colours it started with, so the
// simulator build reads these where the system says off (tools/win32/high-contrast.cpp writes
// them there under Wine).
SystemColours ReadSystemColoursFromRegistry();

// The name of a system colour under HKCU\Control Panel\Colors; null for an index without one.
const wchar_t* SystemColourValueName(int index);
constexpr wchar_t kHighContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";
constexpr wchar_t kColoursKey[] = L"Control Panel\\Colors";
