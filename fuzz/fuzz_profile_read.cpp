// Any bytes as a sound profile, loaded onto the simulated headset: the load ends or stops with
// PanelError, and every value that reached the chip or the driver is one they take.
#include <cstddef>
#include <cstdint>

#include "FuzzPanel.h"
#include "PanelError.h"
#include "ProfileFile.h"
#include "ports/ProfileStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Panel panel;
    PanelContext& ctx = panel.window.Context();
    bool whole = false;
    try {
        whole = ReadProfile(ctx, PlatformProfileStrings(), fuzz::Scratch().Write(data, size)) == 0;
    } catch (const PanelError&) {
    }
    panel.CheckRanges();
    if (whole) {
        // The load ends by writing the current preset; the chip holds exactly the panel's gains.
        const SimChip& chip = panel.sim.Chip();
        for (int band = 0; band < kEqBandCount; ++band) {
            fuzz::Check(chip.BandGain(band) == panel.state.workingEq.Gain[band]);
        }
        if (panel.state.d3Enabled) {
            const D3Record& d3 = panel.state.d3;
            fuzz::Check(chip.Register(0x18B) == (d3.LeftAlpha << 4 | d3.LeftBeta));
            fuzz::Check(chip.Register(0x18C) == (d3.RightAlpha << 4 | d3.RightBeta));
        }
    }
    return 0;
}
