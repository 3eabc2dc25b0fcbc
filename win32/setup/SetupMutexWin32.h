// One installation or uninstallation of the product at a time, across sessions: a named mutex
// held for the life of the program.
#pragma once

#include "Handles.h"

class SetupRunningMutex {
public:
    // False when another installer or uninstaller of the product holds it.
    bool Acquire();

private:
    UniqueHandle mutex_;
};
