// The configured hotkeys held for the panel's window: registered through the platform, found
// again by the id a key press comes with, and what could not be used reported once in the
// chosen language.
//
//   HotkeyBindings bindings(registrar);
//   std::u16string report = bindings.Apply(settings, texts);  // empty: nothing to tell
//   HotkeyAction action;
//   if (bindings.ActionOf(id, &action)) ...
#pragma once

#include <array>
#include <string>

#include "HotkeySettings.h"
#include "HotkeyTexts.h"

// Port: RegisterHotKey and UnregisterHotKey on the panel's window.
class IHotkeyRegistrar {
public:
    virtual ~IHotkeyRegistrar() = default;
    // False when the combination cannot be had (another program holds it).
    virtual bool Register(int id, const Hotkey& hotkey) = 0;
    virtual void Unregister(int id) = 0;
};

// The panel's own ids, one per action; far from any other window's.
constexpr int kHotkeyFirstId = 0x5A10;

class HotkeyBindings {
public:
    explicit HotkeyBindings(IHotkeyRegistrar& registrar) : registrar_(registrar) {}
    ~HotkeyBindings() { Clear(); }
    HotkeyBindings(const HotkeyBindings&) = delete;
    HotkeyBindings& operator=(const HotkeyBindings&) = delete;

    // Lets the earlier hotkeys go and registers these. Returns one line per setting that cannot
    // be used (not understood, or held by another program), unless the same text was reported
    // already; empty when there is nothing new to tell.
    std::u16string Apply(const HotkeySettings& settings, const HotkeyTexts& texts);
    // Every hotkey let go (at shutdown).
    void Clear();
    bool ActionOf(int id, HotkeyAction* action) const;
    bool Registered(HotkeyAction action) const { return registered_[Index(action)]; }

private:
    static size_t Index(HotkeyAction action) { return static_cast<size_t>(action); }

    IHotkeyRegistrar& registrar_;
    std::array<bool, kHotkeyActionCount> registered_{};
    std::array<std::u16string, kHotkeyActionCount> reported_;
};
