// Before the panel's files are replaced or deleted: every running panel is asked to end, and the
// installer waits for its processes, not for its windows. A panel still starting, or busy on a
// loaded machine, misses a single broadcast and keeps its program file in use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SetupContext.h"

inline constexpr uint32_t kPanelExitWaitMs = 10000;

// Broadcasts the exit message and waits until no process of any session runs one of the
// programs, repeating the broadcast every half second; at most kPanelExitWaitMs. True when none
// runs any more.
bool EndRunningPanels(IWizardWindow& window, IProcesses& processes,
                      const std::vector<std::u16string>& programs);
