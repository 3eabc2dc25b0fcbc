// The gate before the devices: open, everything passes unchanged; closed, nothing reaches the
// headset, the driver or the microphone, also through handles opened before.
#include "DeviceGate.h"

#include <gtest/gtest.h>

#include "Discovery.h"
#include "HidChannel.h"
#include "SimHeadset.h"

namespace {

TEST(DeviceGate, ClosedGateLetsNothingThroughNotEvenOpenHandles) {
    SimHeadset sim;
    DeviceGate gate(sim.HidBus(), sim.Driver(), sim.Endpoints(), sim.WaveInput());
    auto held = gate.Hid().OpenHidDevice(SimHeadset::kVendorId, SimHeadset::kProductId);
    ASSERT_TRUE(held);
    auto driver = gate.Driver().Open(kExtDriverDevicePath);
    ASSERT_TRUE(driver);
    auto endpoint = gate.Audio().FindCaptureEndpoint(SimHeadset::kVendorId, SimHeadset::kProductId);
    ASSERT_TRUE(endpoint);
    EXPECT_EQ(WriteRegister(*held, 0x100, 0x87), 0u);
    EXPECT_EQ(sim.Chip().Register(0x100), 0x87);

    gate.Close();
    sim.Trace().Clear();
    EXPECT_NE(WriteRegister(*held, 0x100, 0x83), 0u);
    uint32_t returned = 0;
    EXPECT_FALSE(
        driver->DeviceIoControl(IOCTL_EXT_QUERY_STATUS, nullptr, 0, nullptr, 0, &returned));
    EXPECT_NE(endpoint->SetMute(1), 0u);
    EXPECT_FALSE(gate.Hid().OpenHidDevice(SimHeadset::kVendorId, SimHeadset::kProductId));
    EXPECT_FALSE(gate.Driver().Open(kExtDriverDevicePath));
    EXPECT_FALSE(gate.Audio().FindCaptureEndpoint(SimHeadset::kVendorId, SimHeadset::kProductId));
    EXPECT_TRUE(
        gate.Audio().FindCaptureDescription(SimHeadset::kVendorId, SimHeadset::kProductId).empty());
    uint32_t value = 0;
    EXPECT_EQ(gate.Audio().MixerControl(MIXER_WRITE_MUTE, &value, nullptr, nullptr,
                                        SimHeadset::kVendorId, SimHeadset::kProductId),
              0u);
    EXPECT_FALSE(gate.WaveInput().Start(IWaveInput::kDefaultDevice));
    EXPECT_TRUE(sim.Trace().Lines().empty()) << sim.Trace().Lines().front();
    EXPECT_EQ(sim.Chip().Register(0x100), 0x87);
    EXPECT_FALSE(sim.Microphone().Muted());

    gate.Open();
    EXPECT_EQ(WriteRegister(*held, 0x100, 0x83), 0u);
    EXPECT_EQ(sim.Chip().Register(0x100), 0x83);
}

}  // namespace
