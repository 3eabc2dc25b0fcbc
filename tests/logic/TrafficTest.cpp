// Device traffic per user action, counted from the simulator's trace. The figures are printed so
// the performance notes can quote them.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "ControlTags.h"
#include "EqOperations.h"
#include "LogicFixture.h"
#include "UserActions.h"
#include "VirtualSpeakers.h"

namespace {

struct Traffic {
    int hidOpens = 0;
    int outputReports = 0;
    int inputReports = 0;
    int driverCommands = 0;

    bool operator==(const Traffic& o) const {
        return hidOpens == o.hidOpens && outputReports == o.outputReports &&
               inputReports == o.inputReports && driverCommands == o.driverCommands;
    }
};

bool StartsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

Traffic Count(const std::vector<std::string>& lines) {
    Traffic t;
    for (const auto& line : lines) {
        t.hidOpens += StartsWith(line, "HID OPEN ") ? 1 : 0;
        t.outputReports += StartsWith(line, "HID SET ") ? 1 : 0;
        t.inputReports += StartsWith(line, "HID GET ") ? 1 : 0;
        t.driverCommands += StartsWith(line, "DRV ") && !StartsWith(line, "DRV OPEN") ? 1 : 0;
    }
    return t;
}

class TrafficFigures : public LogicTest {};

TEST_F(TrafficFigures, PerAction) {
    struct Row {
        const char* action;
        std::function<void(LogicTest&, PanelContext&)> prepare;
        std::function<void(PanelContext&)> run;
        Traffic expected;
    };
    const auto none = [](LogicTest&, PanelContext&) {};
    const auto syncOff = [](LogicTest&, PanelContext& c) { c.device.synchronise = 0; };
    const auto rotating = [](LogicTest&, PanelContext& c) {
        VirtualReset(c);
        c.state.rotateClockwise = 1;
    };
    const Row rows[] = {
        {"EQ slider move, bands 0-3",
         none,
         [](PanelContext& c) { OnEqSliderMoved(c, 29, 100); },
         {2, 9, 1, 0}},
        {"EQ slider move, band 4",
         none,
         [](PanelContext& c) { OnEqSliderMoved(c, 33, 100); },
         {2, 10, 2, 0}},
        {"EQ slider move, synchronise off",
         syncOff,
         [](PanelContext& c) { OnEqSliderMoved(c, 29, 100); },
         {1, 1, 0, 0}},
        {"preset recall (operation)",
         none,
         [](PanelContext& c) { PresetRecall(c, 2); },
         {1, 21, 0, 0}},
        {"preset button S2 (recall, display, two bypass updates)",
         none,
         [](PanelContext& c) { RunControlAction(c, TAG_PRESET_S1 + 1); },
         {3, 29, 2, 0}},
        {"rotation tick", rotating, [](PanelContext& c) { TimerTimer(c); }, {0, 0, 0, 1}},
    };
    std::printf("%-56s %9s %9s %9s %9s\n", "action", "HID opens", "output", "input", "driver");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        Start();
        row.prepare(*this, ctx);
        Take();
        row.run(ctx);
        const Traffic t = Count(Take());
        std::printf("%-56s %9d %9d %9d %9d\n", row.action, t.hidOpens, t.outputReports,
                    t.inputReports, t.driverCommands);
        EXPECT_TRUE(t == row.expected);
    }
}

}  // namespace
