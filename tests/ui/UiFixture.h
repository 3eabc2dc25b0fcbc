// The main window on the simulated headset with a fake platform, started as the panel starts
// (settings, presets shown, 3D defaults), with a small skin and language for the buttons the
// tests press.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeUiHost.h"
#include "PanelWindow.h"
#include "SimHeadset.h"

// Geometry that fits the catalogue: EQ sliders 96..216, Mic slider 104..224, centre (168, 140)
// with radius 100 on the Virtual7.1 page.
SkinGeometry CatalogueSkin();

extern const char16_t kSkinFolder[];
extern const char16_t kWarningText[];

class UiTest : public ::testing::Test {
protected:
    UiTest();

    void Start(bool headsetPlugged = true);
    void Unplug();

    Control& Get(const char* name);
    // The centre of a control in window coordinates.
    Point Centre(const char* name);
    Point WindowPoint(const Control& control, Point local);
    // Left button down and up at the control's centre.
    void Click(const char* name);

    std::vector<std::string> TakeHid();

    SimHeadset sim;
    FakeUiHost host;
    SkinGeometry skin = CatalogueSkin();
    DeviceState device;
    PanelState state;
    Appearance look;
    PanelWindow window{device,          state,        skin,
                       sim.HidBus(),    sim.Driver(), sim.Endpoints(),
                       sim.WaveInput(), look,         {host, host, host, host}};
    PanelContext& ctx = window.Context();
};
