// The simulated headset on the simulated machine: its chip behind the HID interface, the extension
// driver, the microphone's endpoint and mixer, the level meter's wave input, the Windows version
// and the device-tree entry of its audio function, all sharing one trace. Plug() and Unplug() move
// all of them at once.
//
//   SimHeadset sim;                        // plugged, 3F9C:4712
//   FindHeadset(folder, sim.DeviceTree()); // "USB\VID_3F9C&PID_4712&REV_0100&MI_00"
//   auto hid = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
//   sim.Chip().Register(0x129); sim.Hid().Faults().rejectOutputReport = 3; sim.Trace().Take();
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "SimChip.h"
#include "SimDeviceTree.h"
#include "SimExtDriver.h"
#include "SimHidBus.h"
#include "SimMicrophone.h"
#include "SimOsVersion.h"
#include "SimTrace.h"
#include "SimWaveInput.h"

// The headset's two functions, which Windows may show one after the other (the first plug-in,
// while its drivers install): the HID interface, and the audio function with the extension
// driver, the microphone and the wave input.
enum class SimFunction { Hid, Audio };

class SimHeadset {
public:
    static constexpr uint16_t kVendorId = 0x3F9C;
    static constexpr uint16_t kProductId = 0x4712;

    explicit SimHeadset(bool plugged = true);
    SimHeadset(const SimHeadset&) = delete;
    SimHeadset& operator=(const SimHeadset&) = delete;

    // Present on the HID bus, to the driver, as the capture endpoint and in the device tree; or
    // absent from all of them. Open HID handles and endpoints stay dead after an unplug.
    void Plug();
    void Unplug();
    // Both functions present.
    bool IsPlugged() const { return hidPlugged_ && audioPlugged_; }
    // One function arrives or goes on its own.
    void Plug(SimFunction function);
    void Unplug(SimFunction function);

    // The machine sleeps and wakes: the chip is back at its power-up values, and no device
    // change follows (open handles stay valid), as with many USB headsets.
    void Suspend();

    // Another identity for the whole headset (HID attributes, hardware ID, microphone path).
    void SetIds(uint16_t vendorId, uint16_t productId);
    // "USB\VID_3F9C&PID_4712&REV_0100&MI_00" for the current IDs.
    std::u16string AudioHardwareId() const;

    // The ports, for the code under test.
    IHidBus& HidBus() { return hid_; }
    IDriverPort& Driver() { return driver_; }
    IAudioEndpoints& Endpoints() { return microphone_; }
    IWaveInput& WaveInput() { return wave_; }
    IOsVersion& OsVersion() { return os_; }
    SimDeviceTree& DeviceTree() { return tree_; }

    // Whether the simulator keeps its records (trace lines, reports, commands, register writes)
    // in memory; the tests read them, a long-running simulator panel keeps none.
    void KeepRecords(bool keep);

    // The insides, for the test: state, counters and fault injection.
    SimChip& Chip() { return hid_.Chip(); }
    SimHidBus& Hid() { return hid_; }
    SimExtDriver& ExtDriver() { return driver_; }
    SimMicrophone& Microphone() { return microphone_; }
    SimWaveInput& Wave() { return wave_; }
    SimOsVersion& Os() { return os_; }
    SimTrace& Trace() { return *trace_; }

private:
    SimDevice* AudioFunction();
    void SetPlugged(SimFunction function, bool plugged);

    std::shared_ptr<SimTrace> trace_;
    SimHidBus hid_;
    SimExtDriver driver_;
    SimMicrophone microphone_;
    SimWaveInput wave_;
    SimOsVersion os_;
    SimDeviceTree tree_;
    uint16_t vendorId_ = kVendorId;
    uint16_t productId_ = kProductId;
    bool hidPlugged_ = false;
    bool audioPlugged_ = false;
};
