// A panel on the simulated headset: the two state records, a skin, a fake presentation and the
// simulator's ports, started as the panel starts (settings, presets shown, 3D defaults), and a
// builder for the HID traffic an exchange is expected to leave in the trace.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FakePanelView.h"
#include "PanelContext.h"
#include "RegisterMap.h"
#include "SimHeadset.h"

// Expected trace lines, written the way the exchange runs.
class Expect {
public:
    Expect& Open();
    Expect& OpenFail(uint16_t vendorId = SimHeadset::kVendorId,
                     uint16_t productId = SimHeadset::kProductId);
    Expect& Close();
    Expect& Idle();
    Expect& Write(uint16_t address, uint8_t value);
    // An address report and the input report that answers it with value.
    Expect& Read(uint16_t address, uint8_t value);
    // The ten band registers of WriteEqRegisters.
    Expect& EqRegisters(const EqRecord& record);
    // Read 0x18A (then value), write it back with FBM, then both channels.
    Expect& Registers3D(uint8_t control, const D3Record& record);
    Expect& Line(const std::string& line);
    Expect& Then(const Expect& more);

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// An exchange on its own: open, what body adds, idle report, close.
Expect Exchange(const Expect& body);

// Geometry of the test skin: travel 120, EQ top0 100, Mic top0 80, centre (180, 150), r = 60.
SkinGeometry TestSkin();

class LogicTest : public ::testing::Test {
protected:
    LogicTest();

    // A fresh panel on a freshly powered headset, as start-up leaves the settings: IDs, presence
    // handle, synchronise, settings and 3D initialisation, the four presets shown, effect
    // Nothing, controls at their design positions; then the trace is cleared. Without the
    // headset the search finds nothing and both IDs are 0.
    void Start(bool headsetPlugged = true);
    // The headset pulled out as removal handling leaves the panel: IDs kept, handle gone.
    void Remove();

    std::vector<std::string> TakeHid();  // HID lines only, and a fresh trace
    std::vector<std::string> Take() { return sim.Trace().Take(); }

    SimHeadset sim;
    FakePanelView view;
    SkinGeometry skin = TestSkin();
    DeviceState device;
    PanelState state;
    PanelContext ctx{device, state, skin, view, sim.HidBus(), sim.Driver(), sim.Endpoints()};
};

// The EQ record the chip should hold after a write of the panel's working record.
EqRecord DefaultEqWith(int32_t bypass, int32_t through3D);
