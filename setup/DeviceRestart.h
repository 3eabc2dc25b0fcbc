// The restart of the headset's audio functions and of the devices whose filter list changed.
// A 32-bit process on 64-bit Windows gets ERROR_IN_WOW64 from the class installer: there the
// installed 64-bit service program restarts them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SetupContext.h"

enum : uint32_t {
    RESTART_NO_DEVICE_LIST = 1,
    RESTART_HELPER_NOT_STARTED = 2,
    RESTART_HELPER_TIMEOUT = 3,
    RESTART_HELPER_FAILED = 4,
    RESTART_HELPER_NOT_OURS = 5,
};

// 0 done; 1 no device list; 2–5 the 64-bit service program could not be started, did not end
// within 100 s (it is ended), failed, or is not the one this installation wrote (not run).
uint32_t RestartDevices(SetupPorts& ports, const SetupState& state,
                        const std::vector<std::u16string>& alsoIds);
