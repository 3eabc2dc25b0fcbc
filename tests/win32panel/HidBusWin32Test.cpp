// OpenHidDevice over the real HID class listing, SetupAPI and CreateFileW. No headset can be
// present here; Wine's virtual HID mouse (VID_845E&PID_0001) stands in for a collection with the
// IDs asked for.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

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

// Wine's mouse through the listing the bus chooses from, or null.
std::unique_ptr<IHidDevice> OpenWineMouse() {
    const auto interfaces = CreateHidInterfaceListWin32();
    for (uint32_t index = 0;; ++index) {
        std::unique_ptr<IHidDevice> device;
        uint16_t vendor = 0, product = 0;
        const auto entry = interfaces->Open(index, device, vendor, product);
        if (entry == IHidInterfaceList::Entry::End)
            return nullptr;
        if (entry == IHidInterfaceList::Entry::Opened && vendor == kWineVendor &&
            product == kWineMouse)
            return device;
    }
}

// Wine's mouse stands for a collection with the IDs asked for: it is opened only when its
// output report holds a command, and the search goes on past it otherwise.
TEST(Win32HidBusRealCalls, OpensAnInterfaceOnlyWhenItsOutputReportHoldsACommand) {
    const auto mouse = OpenWineMouse();
    if (!mouse)
        GTEST_SKIP() << "this Wine offers no openable virtual HID mouse";
    HidCaps caps;
    ASSERT_TRUE(mouse->GetCaps(caps));
    RecordProperty("input_length", caps.inputReportByteLength);
    RecordProperty("output_length", caps.outputReportByteLength);
    EXPECT_GT(caps.inputReportByteLength, 1u);  // report ID plus at least the buttons
    // Every open is a handle of its own: the first does not keep the interface to itself.
    const auto second = OpenWineMouse();
    ASSERT_NE(second, nullptr);
    HidCaps again;
    ASSERT_TRUE(second->GetCaps(again));
    EXPECT_EQ(again.outputReportByteLength, caps.outputReportByteLength);

    const auto device = CreateHidBusWin32()->OpenHidDevice(kWineVendor, kWineMouse);
    EXPECT_EQ(device != nullptr, caps.outputReportByteLength >= 5);
}

}  // namespace
