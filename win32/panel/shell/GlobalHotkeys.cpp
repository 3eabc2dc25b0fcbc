#include "GlobalHotkeys.h"

#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

GlobalHotkeys::~GlobalHotkeys() {
    for (int id : held_) {
        UnregisterHotKey(window_, id);
    }
}

bool GlobalHotkeys::Register(int id, const Hotkey& hotkey) {
    // A held key would otherwise flip the microphone at the keyboard's repeat rate.
    if (!RegisterHotKey(window_, id, hotkey.modifiers | MOD_NOREPEAT, hotkey.key)) {
        return false;
    }
    held_.insert(id);
    return true;
}

void GlobalHotkeys::Unregister(int id) {
    if (held_.erase(id)) {
        UnregisterHotKey(window_, id);
    }
}
