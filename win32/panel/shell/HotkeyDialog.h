// The small dialog of the tray menu's "Hotkeys...": a standard hotkey control for each action,
// each after the label that names it (its accessible name and its access key), OK and Cancel.
// Tab, Enter and Escape work as in every dialog.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "HotkeySettings.h"
#include "HotkeyTexts.h"

// The control ids, for tests that drive the dialog.
enum HotkeyDialogId : int {
    kHotkeyMicMuteLabel = 100,
    kHotkeyMicMuteControl = 101,
    kHotkeyShowPanelLabel = 102,
    kHotkeyShowPanelControl = 103,
};

using HotkeyChoice = std::array<std::u16string, kHotkeyActionCount>;

// Modal over owner. True on OK, with the text to keep for each action in *chosen: the setting's
// own text when its control was left as it was shown (a combination the control cannot show
// stays), else the control's combination ("" for none).
bool AskHotkeys(HWND owner, const HotkeyTexts& texts, const HotkeySettings& current,
                HotkeyChoice* chosen);

// The hotkey control's value (virtual key in the low byte, HOTKEYF_* in the high byte) and back.
Hotkey HotkeyOfControlValue(WORD value);
WORD ControlValueOf(const Hotkey& hotkey);
