// A modal box with one OK button and the icon the portable code asks for.
#pragma once

#include <windows.h>

#include <string>

#include "WindowHost.h"

// MB_OK with MB_ICONEXCLAMATION, MB_ICONINFORMATION or MB_ICONERROR.
UINT MessageBoxStyle(MessageIcon icon);

void ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
                    MessageIcon icon);
