// Choosing the headset's command interface among the HID interfaces that carry its IDs.
#include "HidSelection.h"

#include <gtest/gtest.h>

#include <vector>

#include "DeviceFixture.h"
#include "HidChannel.h"

namespace {

struct FakeInterface {
    IHidInterfaceList::Entry entry;
    uint16_t vendorId, productId, outputLength;
    bool capsFail;
};

class FakeHidDevice : public IHidDevice {
public:
    FakeHidDevice(const FakeInterface& fake, int tag) : fake_(fake), tag(tag) {}
    bool GetCaps(HidCaps& caps) override {
        caps.outputReportByteLength = fake_.outputLength;
        caps.inputReportByteLength = fake_.outputLength;
        return !fake_.capsFail;
    }
    bool SetOutputReport(const uint8_t*, uint32_t) override { return false; }
    bool GetInputReport(uint8_t*, uint32_t) override { return false; }

    FakeInterface fake_;
    int tag;
};

class FakeInterfaceList : public IHidInterfaceList {
public:
    explicit FakeInterfaceList(std::vector<FakeInterface> interfaces)
        : interfaces_(std::move(interfaces)) {}
    Entry Open(uint32_t index, std::unique_ptr<IHidDevice>& device, uint16_t& vendorId,
               uint16_t& productId) override {
        ++opened;
        if (index >= interfaces_.size())
            return Entry::End;
        const FakeInterface& fake = interfaces_[index];
        if (fake.entry != Entry::Opened)
            return fake.entry;
        vendorId = fake.vendorId;
        productId = fake.productId;
        device = std::make_unique<FakeHidDevice>(fake, static_cast<int>(index));
        return Entry::Opened;
    }
    int opened = 0;

private:
    std::vector<FakeInterface> interfaces_;
};

using Entry = IHidInterfaceList::Entry;

TEST(OpenCommandInterface, TakesTheFirstInterfaceWithBothIdsThatHoldsACommand) {
    const FakeInterface indicator{Entry::Opened, 0x3F9C, 0x4712, 4, false};
    const FakeInterface command{Entry::Opened, 0x3F9C, 0x4712, 5, false};
    const FakeInterface mouse{Entry::Opened, 0x046D, 0xC52B, 9, false};
    const FakeInterface unopenable{Entry::Unusable, 0, 0, 0, false};
    const FakeInterface noCaps{Entry::Opened, 0x3F9C, 0x4712, 9, true};
    const FakeInterface otherProduct{Entry::Opened, 0x3F9C, 0x4713, 9, false};
    const struct {
        const char* what;
        std::vector<FakeInterface> interfaces;
        int chosen;  // -1: none
    } cases[] = {
        {"short collection first: the search goes on", {mouse, indicator, command}, 2},
        {"unopenable and capless interfaces are passed over", {unopenable, noCaps, command}, 2},
        {"the first one that fits wins", {command, command}, 0},
        {"other product", {otherProduct, indicator}, -1},
        {"only short collections", {indicator, indicator}, -1},
        {"nothing present", {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeInterfaceList list(c.interfaces);
        const auto device = OpenCommandInterface(list, 0x3F9C, 0x4712);
        if (c.chosen < 0) {
            EXPECT_FALSE(device);
            EXPECT_EQ(list.opened, static_cast<int>(c.interfaces.size()) + 1);  // up to the end
        } else {
            ASSERT_TRUE(device);
            EXPECT_EQ(static_cast<FakeHidDevice&>(*device).tag, c.chosen);
        }
    }
}

TEST(OpenCommandInterface, TheSimulatedHeadsetsIndicatorIsNeverTheOneOpened) {
    SimHeadset sim;  // its short indicator collection is enumerated before the command interface
    auto hid = sim.HidBus().OpenHidDevice(SimHeadset::kVendorId, SimHeadset::kProductId);
    ASSERT_TRUE(hid);
    HidCaps caps;
    ASSERT_TRUE(hid->GetCaps(caps));
    EXPECT_GE(caps.outputReportByteLength, kCommandReportLength);
    EXPECT_EQ(WriteRegister(*hid, 0x18B, 0x55), 0u);
    EXPECT_EQ(sim.Chip().Register(0x18B), 0x55);
    EXPECT_EQ(sim.Hid().OpenHandles(), 1);  // the indicator's handle was closed again
}

}  // namespace
