// The main window on the simulated headset with the tests' fake platform (every picture loads),
// started as the panel starts, for the fuzzers that feed it files the user can edit.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

#include "ControlTags.h"
#include "D3Operations.h"
#include "EqOperations.h"
#include "FakeUiHost.h"
#include "FuzzFile.h"
#include "PanelWindow.h"
#include "SimHeadset.h"
#include "SimHeadsetConnect.h"
#include "SliderMapping.h"

namespace fuzz {

struct Panel {
    Panel() {
        // The catalogue's design: EQ sliders 96..216, Mic 104..224, centre (168, 140), radius 100.
        skin.sliderTravel = 120;
        skin.eqTop0 = 96;
        skin.micTop0 = 104;
        skin.centerX = 168;
        skin.centerY = 140;
        skin.radius = 100;
        skin.micProgressLength = 203;
        ConnectSimulatedHeadset(sim, device, true);
        InitialiseSettings(state, skin);
        for (int p = 0; p < kEqPresetCount; ++p) {
            PresetDisplay(window.Context(), p);
        }
        Initialise3D(state);
        sim.Trace().Clear();
        sim.ExtDriver().ClearCommands();
        sim.Chip().ClearWrites();
    }

    // What the panel holds and what reached the headset stays within what the headset takes.
    void CheckRanges() {
        for (const SimDriverCommand& command : sim.ExtDriver().Commands()) {
            Check(!command.rejected);
        }
        Check(sim.ExtDriver().Effect() <= 4);
        Check(sim.ExtDriver().SpeakersEnabled() <= 1);
        for (float v : sim.ExtDriver().SpeakerTable()) {
            Check(std::isfinite(v));
        }
        for (uint16_t gain : state.workingEq.Gain) {
            Check(gain <= kEqMaxGain);
        }
        for (uint8_t v :
             {state.d3.LeftAlpha, state.d3.LeftBeta, state.d3.RightAlpha, state.d3.RightBeta}) {
            Check(v <= k3DMaxValue);
        }
        Check(state.currentEffect >= 1 && state.currentEffect <= 5);
        for (int32_t flag :
             {state.eqEnabled, state.d3Enabled, state.fbm, state.virtualEnabled, state.led}) {
            Check(flag == 0 || flag == 1);
        }
    }

    SimHeadset sim;
    FakeUiHost host;
    SkinGeometry skin;
    DeviceState device;
    PanelState state;
    Appearance look;
    PanelWindow window{device,          state,        skin,
                       sim.HidBus(),    sim.Driver(), sim.Endpoints(),
                       sim.WaveInput(), look,         {host, host, host, host}};
};

}  // namespace fuzz
