// The wizard's behaviour apart from drawing: start-up, the pages and their buttons, the start
// of the worker, the end page, Finish, and closing while the worker runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SetupContext.h"

enum class WizardPhase { Choosing, Installing, Done };

struct ButtonState {
    bool shown = false;
    bool enabled = false;
};

struct WizardButtons {
    ButtonState back, next, finish, cancel;
};

// The controls that the keyboard is sent to.
enum class WizardControl { None, Next, Finish, Cancel, RebootChoice, NoRebootChoice };

// What the window does with a close request (Cancel, the system menu, Alt+F4).
enum class CloseAction {
    CloseNow,       // end the program
    Ignore,         // the user chose to go on installing
    EndAfterWorker  // the running step finishes, no other runs, then the program ends
};

inline constexpr const char16_t* kStopQuestion =
    u"Stop the installation? The step in progress will be completed first.";

class WizardFlow {
public:
    WizardFlow(SetupPorts& ports, SetupState& state) : ports_(ports), state_(state) {}

    // The constructor's work: own version, Wow64, Windows version, folders, uninstall values.
    void Initialise(const std::u16string& programPath);
    // Loads and publishes both device-ID groups; false when either fails to load (the
    // program then ends at once, silently).
    bool LoadAndPublishGroups();

    WizardPhase Phase() const { return phase_; }
    int Page() const { return static_cast<int>(phase_); }
    WizardButtons Buttons() const;
    // Enter presses it wherever the focus is (a list that is dropped down keeps Enter).
    WizardControl DefaultButton() const;
    // Where the keyboard focus goes when a page shows: Next on the language page (Enter takes
    // the language shown), the answer chosen on the end page (a screen reader reads the
    // question with it; Enter still presses Finish).
    WizardControl FocusOnShow() const;
    bool RebootChecked() const { return rebootChecked_; }
    void SetRebootChecked(bool checked) { rebootChecked_ = checked; }

    // Next: true when the worker is to be started now; only once, only on the first page.
    bool Next();
    // WM_SETUP_DONE: true when the program is to end now instead of showing the end page.
    bool Done();
    // Finish: reboots, or starts the installed control panel.
    void Finish();
    // The end of a silent run, in place of the end page: restarts Windows only when the
    // installation needs it and /NORESTART was not given, else starts the panel.
    void FinishQuietly();
    CloseAction RequestClose();

    // SETUP_EXIT_*: what the program returns when it ends now.
    uint32_t ExitCode() const { return exitCode_; }
    // The program ends before the installation for a reason of its own (SETUP_EXIT_*).
    void EndWith(uint32_t code) { exitCode_ = code; }

private:
    void PublishGroup(CDeviceIdMgr& group, const char16_t* name);
    // Before a close on the first page: the groups go into an installation's log, or, without
    // one, the keys this run created go again.
    void SettlePublishedGroups();

    SetupPorts& ports_;
    SetupState& state_;
    WizardPhase phase_ = WizardPhase::Choosing;
    bool rebootChecked_ = false;
    bool endAfterWorker_ = false;
    std::vector<std::u16string> publishedKeys_;
    std::vector<std::u16string> createdKeys_;
    // Closing before Next is a cancelled installation.
    uint32_t exitCode_ = 1602;
};
