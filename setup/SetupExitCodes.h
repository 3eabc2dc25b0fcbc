// The installer's exit codes: those of the other Windows installers, so that deployment tools
// read them without a table of their own.
#pragma once

#include <cstdint>

enum : uint32_t {
    SETUP_EXIT_DONE = 0,
    SETUP_EXIT_CANCELLED = 1602,
    SETUP_EXIT_FAILED = 1603,
    SETUP_EXIT_ANOTHER_RUNNING = 1618,
    SETUP_EXIT_BAD_COMMAND_LINE = 1639,
    SETUP_EXIT_RESTART_INITIATED = 1641,
    SETUP_EXIT_RESTART_NEEDED = 3010,
};
