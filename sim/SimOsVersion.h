// The Windows version the simulated machine reports (default Windows 7: NT 6.1).
#pragma once

#include "ports/AudioEndpoint.h"

class SimOsVersion : public IOsVersion {
public:
    OsVersionInfo info{2, 6, 1};
    // Both GetVersionExW calls fail.
    bool fail = false;

    bool GetVersion(OsVersionInfo& out) override {
        if (fail)
            return false;
        out = info;
        return true;
    }
};
