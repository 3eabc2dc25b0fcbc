// A plugged simulated headset with one HID handle open and the trace emptied.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SimHeadset.h"

class HeadsetTest : public ::testing::Test {
protected:
    HeadsetTest() : hid(sim.HidBus().OpenHidDevice(0x3F9C, 0x4712)) { sim.Trace().Clear(); }

    // The trace since the last call.
    std::vector<std::string> Traffic() { return sim.Trace().Take(); }
    const std::vector<SimChip::RegisterWrite>& Writes() { return sim.Chip().Writes(); }

    SimHeadset sim;
    std::unique_ptr<IHidDevice> hid;
};

inline bool operator==(const SimChip::RegisterWrite& a, const SimChip::RegisterWrite& b) {
    return a.address == b.address && a.value == b.value;
}

inline std::ostream& operator<<(std::ostream& out, const SimChip::RegisterWrite& write) {
    return out << std::hex << "0x" << write.address << "=0x" << int{write.value} << std::dec;
}
