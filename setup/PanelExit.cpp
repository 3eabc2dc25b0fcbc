#include "PanelExit.h"

#include <string>

#include "DebugTrace.h"

namespace {

constexpr uint32_t kRoundMs = 500;

}  // namespace

bool EndRunningPanels(IWizardWindow& window, IProcesses& processes,
                      const std::vector<std::u16string>& programs) {
    // The rounds bound the wait without a clock: each waits at most kRoundMs on one process.
    for (uint32_t waited = 0;; waited += kRoundMs) {
        window.BroadcastPanelExit();
        if (programs.empty())
            return true;
        const std::vector<std::unique_ptr<IProcessHandle>> running =
            processes.OpenRunning(programs);
        if (running.empty())
            return true;
        if (waited >= kPanelExitWaitMs) {
            DebugOutput(u"***** The panel did not end within 10 s: its files stay in use *****\n");
            return false;
        }
        if (waited == 0)
            DebugOutput(u"##### Waiting for the running panel to end #####\n");
        running.front()->Wait(kRoundMs);
    }
}
