// RegisterHotKey on the panel's window: WM_HOTKEY comes to it with the id. Every hotkey still
// held is let go with the object.
#pragma once

#include <windows.h>

#include <set>

#include "HotkeyBindings.h"

class GlobalHotkeys final : public IHotkeyRegistrar {
public:
    explicit GlobalHotkeys(HWND window) : window_(window) {}
    ~GlobalHotkeys() override;
    GlobalHotkeys(const GlobalHotkeys&) = delete;
    GlobalHotkeys& operator=(const GlobalHotkeys&) = delete;

    bool Register(int id, const Hotkey& hotkey) override;
    void Unregister(int id) override;

private:
    HWND window_;
    std::set<int> held_;
};
