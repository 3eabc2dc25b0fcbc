// The panel's global hotkeys in the per-user AudioConfig.cfg:
//   [Hotkeys]
//   MicMute=Ctrl+Alt+M
//   ShowPanel=Ctrl+Alt+P
// A key that is absent or empty is no hotkey. Text that names no combination is kept as it is
// (nothing rewrites it) and not used.
#pragma once

#include <array>
#include <string>

#include "FolderListing.h"
#include "Hotkey.h"
#include "ports/ProfileStrings.h"

enum class HotkeyAction { MicMute = 0, ShowPanel = 1 };
constexpr size_t kHotkeyActionCount = 2;

constexpr const char16_t* kHotkeysSection = u"Hotkeys";
// "MicMute", "ShowPanel": the keys of [Hotkeys].
const char16_t* HotkeyKey(HotkeyAction action);

struct HotkeySetting {
    std::u16string text;  // as the file holds it
    Hotkey hotkey;        // empty when the text is empty or not understood
    bool understood = true;
};
using HotkeySettings = std::array<HotkeySetting, kHotkeyActionCount>;

HotkeySetting SettingOf(const std::u16string& text);

// None when the file is not there.
HotkeySettings ReadHotkeySettings(IFolderListing& files, IProfileStrings& strings,
                                  const std::u16string& path);
// Writes one key, only into an existing file; false when it could not be written.
bool WriteHotkeySetting(IFolderListing& files, IProfileStrings& strings, const std::u16string& path,
                        HotkeyAction action, const std::u16string& text);
