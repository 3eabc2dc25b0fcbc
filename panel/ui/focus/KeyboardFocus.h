// The main window's keyboard: which controls take the focus and in what order, and what each
// key does to the focused one. Every key goes through the handler the pointer's action for it
// uses, so the headset sees the same traffic.
//
//   KeyboardFocus focus(window);
//   focus.OnKey(NavKey::Tab, {});          // the next control
//   focus.OnKey(NavKey::Space, {});        // presses it as a click does
//   focus.OnKey(NavKey::Tab, {false, true});  // Ctrl+Tab: the next page
#pragma once

#include <cstdint>
#include <vector>

#include "Control.h"

class PanelWindow;

enum class NavKey : uint8_t {
    Tab,
    Enter,
    Space,
    Escape,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End
};

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// Design pixels a speaker icon moves for one arrow key.
constexpr int kSpeakerKeyStep = 4;

class KeyboardFocus {
public:
    explicit KeyboardFocus(PanelWindow& window);
    KeyboardFocus(const KeyboardFocus&) = delete;
    KeyboardFocus& operator=(const KeyboardFocus&) = delete;

    // Controls that take the focus now: the visible page's, in reading order, then the window's
    // own.
    std::vector<Control*> Order();
    // Null: nothing focused. A focused control that has gone (another page, hidden) hands the
    // focus to the first of the order.
    Control* Focused() const;
    // False when it cannot take the focus now.
    bool SetFocus(Control* control);
    // What a click on it does (the accessible default action).
    void Activate(Control& control);
    // True when the key was used.
    bool OnKey(NavKey key, KeyModifiers modifiers);
    // Changes whenever the focus moves (hosts announce it).
    uint32_t FocusSerial() const;
    // The keyboard was used (WM_UPDATEUISTATE decides on Win32).
    bool IndicatorShown() const;
    void SetIndicatorShown(bool shown);

private:
    std::vector<Control*> OrderOf() const;
    void Move(bool back);
    // Ctrl+Tab and Ctrl+PageDown: the next page whose tab is shown, as a press on that tab.
    void SwitchPage(bool back);
    bool SliderKey(Control& slider, NavKey key);
    bool SpeakerKey(Control& speaker, NavKey key);
    void Focus(Control* control) const;
    bool InOrder(const Control* control) const;

    PanelWindow& window_;
    // Kept current by Focused(), which may hand the focus on.
    mutable Control* focused_ = nullptr;
    mutable uint32_t serial_ = 0;
    bool indicatorShown_ = false;
};
