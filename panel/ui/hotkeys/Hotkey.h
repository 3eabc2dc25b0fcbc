// A global key combination and its text in the per-user configuration, such as "Ctrl+Alt+M".
// Modifiers Ctrl, Alt, Shift and Win in any order and case, then one key: A-Z, 0-9, F1-F24,
// Num0-Num9 or one of Space, Insert, Delete, Home, End, PageUp, PageDown, Left, Up, Right, Down,
// Pause. A letter, digit or named key alone would take that key from every other program: it
// needs a modifier; a function key or Pause may stand alone.
#pragma once

#include <cstdint>
#include <string>

// The platform's modifier bits and virtual-key codes (the values RegisterHotKey takes).
enum HotkeyModifier : uint32_t {
    kHotkeyAlt = 0x1,
    kHotkeyCtrl = 0x2,
    kHotkeyShift = 0x4,
    kHotkeyWin = 0x8,
};

struct Hotkey {
    uint32_t modifiers = 0;  // HotkeyModifier bits
    uint32_t key = 0;        // virtual-key code; 0: no hotkey

    bool Empty() const { return key == 0; }
    bool operator==(const Hotkey& other) const {
        return modifiers == other.modifiers && key == other.key;
    }
    bool operator!=(const Hotkey& other) const { return !(*this == other); }
};

// Empty or blank text is no hotkey (true). False for text that names no usable combination;
// *out is then left alone.
bool ParseHotkey(const std::u16string& text, Hotkey* out);

// The text ParseHotkey reads back to the same combination, modifiers in the order Ctrl, Alt,
// Shift, Win; empty for no hotkey and for a combination that has no text (a key without a name
// here, or one that needs a modifier and has none).
std::u16string HotkeyText(const Hotkey& hotkey);
