// The hotkey dialog's texts and the hotkey reports in the chosen language: [Hotkeys] of
// Language.ini; a language without a key has the built-in English text. "%1" in a report stands
// for the combination.
#pragma once

#include <string>

#include "ports/ProfileStrings.h"

struct HotkeyTexts {
    std::u16string title = u"Hotkeys";
    std::u16string micMute = u"&Microphone mute:";
    std::u16string showPanel = u"&Show or hide the panel:";
    std::u16string ok = u"OK";
    std::u16string cancel = u"Cancel";
    std::u16string taken =
        u"Another program already uses the hotkey %1. It stays in the configuration but does "
        u"nothing.";
    std::u16string notUnderstood =
        u"The hotkey %1 in AudioConfig.cfg is not understood. It stays in the file but does "
        u"nothing.";
};

// Takes the texts the file gives; the others stay as they are.
void LoadHotkeyTexts(IProfileStrings& strings, const std::u16string& languageFile,
                     HotkeyTexts& texts);

// A label's text as the name of the control it stands before: without its access-key mark ("&&"
// is a plain "&") and without the closing colon, as screen readers read names.
std::u16string ControlNameOfLabel(const std::u16string& label);

// The report with its "%1" replaced by the combination.
std::u16string WithCombination(const std::u16string& report, const std::u16string& combination);
