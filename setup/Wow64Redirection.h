// Switches the Wow64 file-system redirection off for this thread while it lives, on 64-bit
// Windows only; every way out of a step restores it.
#pragma once

#include "ports/SystemFolders.h"

class ScopedRedirectionOff {
public:
    ScopedRedirectionOff(ISystemFolders& folders, bool isWow64) : folders_(folders) {
        if (isWow64)
            active_ = folders_.DisableWow64Redirection(&oldValue_) != 0;
    }
    ~ScopedRedirectionOff() {
        if (active_)
            folders_.RevertWow64Redirection(oldValue_);
    }
    ScopedRedirectionOff(const ScopedRedirectionOff&) = delete;
    ScopedRedirectionOff& operator=(const ScopedRedirectionOff&) = delete;

private:
    ISystemFolders& folders_;
    void* oldValue_ = nullptr;
    bool active_ = false;
};
