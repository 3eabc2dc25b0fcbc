// OpenHidDevice over the real HID class listing, SetupAPI and CreateFileW. No headset can be
// present here; Wine's virtual HID mouse (VID_845E&PID_0001) stands in for a device that opens.
#include <gtest/gtest.h>

#include <cstdint>

#include "PanelDeviceWin32.h"

namespace {

constexpr uint16_t kHeadsetVendor = 0x3F9C;
constexpr uint16_t kHeadsetProduct = 0x4712;
constexpr uint16_t kWineVendor = 0x845E;
constexpr uint16_t kWineMouse = 0x0001;

TEST(Win32HidBusRealCalls, FindsNoInterfaceUnlessBothIdsMatch) {
    const auto bus = CreateHidBusWin32();
    const struct {
        uint16_t vendor, product;
    } cases[] = {
        {kHeadsetVendor, kHeadsetProduct},
        {kWineVendor, kHeadsetProduct},  // a present vendor alone is not enough
        {kHeadsetVendor, kWineMouse},    // nor a present product
        {0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.vendor << ":" << c.product);
        EXPECT_EQ(bus->OpenHidDevice(c.vendor, c.product), nullptr);
    }
}

TEST(Win32HidBusRealCalls, OpensWinesVirtualMouseAndReadsItsReportLengths) {
    const auto device = CreateHidBusWin32()->OpenHidDevice(kWineVendor, kWineMouse);
    if (!device)
        GTEST_SKIP() << "this Wine offers no openable virtual HID mouse";
    HidCaps caps;
    ASSERT_TRUE(device->GetCaps(caps));
    RecordProperty("input_length", caps.inputReportByteLength);
    RecordProperty("output_length", caps.outputReportByteLength);
    EXPECT_GT(caps.inputReportByteLength, 1u);  // report ID plus at least the buttons
    // Every call reopens: the first handle does not keep the interface to itself.
    const auto second = CreateHidBusWin32()->OpenHidDevice(kWineVendor, kWineMouse);
    ASSERT_NE(second, nullptr);
    HidCaps again;
    ASSERT_TRUE(second->GetCaps(again));
    EXPECT_EQ(again.inputReportByteLength, caps.inputReportByteLength);
    EXPECT_EQ(again.outputReportByteLength, caps.outputReportByteLength);
}

}  // namespace
