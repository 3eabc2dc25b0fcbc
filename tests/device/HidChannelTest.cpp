// The register protocol over HID reports, byte for byte, and the codes of its failures.
#include "HidChannel.h"

#include <array>

#include "DeviceFixture.h"

using Lines = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes Report(std::initializer_list<uint8_t> head, size_t length) {
    Bytes report(head);
    report.resize(length, 0);
    return report;
}

}  // namespace

class HidChannel : public HeadsetTest {};

TEST_F(HidChannel, WriteRegisterSendsAddressThenDataPaddedWithZeros) {
    ASSERT_EQ(WriteRegister(*hid, 0x0129, 0x7B), 0u);
    const std::vector<Bytes> expected = {Report({0x00, 0x60, 0x29, 0x01, 0x10}, 9),
                                         Report({0x00, 0x60, 0x7B, 0x01, 0x20}, 9)};
    EXPECT_EQ(sim.Hid().SentReports(), expected);
    EXPECT_EQ(sim.Chip().Register(0x129), 0x7B);
}

TEST_F(HidChannel, ReadRegisterAddressesThenTakesByteTwoOfTheReply) {
    sim.Chip().SetRegister(0x18A, 0x45);
    uint8_t value = 0;
    ASSERT_EQ(ReadRegister(*hid, 0x018A, &value), 0u);
    EXPECT_EQ(value, 0x45);
    EXPECT_EQ(Traffic(), (Lines{"HID SET 00 60 8A 01 10", "HID GET 00 60 45 00 00"}));
}

TEST_F(HidChannel, IdleReportIsAllZeros) {
    ASSERT_EQ(SendIdleReport(*hid), 0u);
    EXPECT_EQ(sim.Hid().SentReports(), std::vector<Bytes>{Bytes(9, 0)});
}

TEST_F(HidChannel, FetchesTheReportLengthsForEveryReport) {
    ASSERT_EQ(WriteRegister(*hid, 0x100, 1), 0u);
    sim.Hid().SetReportLengths(65, 3);
    uint8_t value = 0;
    ASSERT_EQ(ReadRegister(*hid, 0x100, &value), 0u);
    EXPECT_EQ(value, 1);
    ASSERT_EQ(sim.Hid().SentReports().size(), 3u);
    EXPECT_EQ(sim.Hid().SentReports()[2].size(), 65u);
}

TEST(HidChannelFailures, RegisterCommandsStopAtTheFailingStep) {
    enum Op { WRITE, READ, IDLE };
    const struct {
        const char* what;
        Op op;
        uint16_t outputLength, inputLength;
        bool capsFail;
        int rejectOutput, dropInput;
        uint32_t code;
        Lines traffic;
    } cases[] = {
        {"no caps", WRITE, 9, 9, true, 0, 0, 1, {}},
        {"no caps", READ, 9, 9, true, 0, 0, 1, {}},
        {"no caps", IDLE, 9, 9, true, 0, 0, 1, {}},
        // Four bytes cannot hold a command: treated like no length at all.
        {"4-byte output", WRITE, 4, 9, false, 0, 0, 1, {}},
        {"4-byte output", READ, 4, 9, false, 0, 0, 1, {}},
        {"4-byte output", IDLE, 4, 9, false, 0, 0, 1, {}},
        {"address rejected", WRITE, 9, 9, false, 1, 0, 2, {"HID SET-FAIL 00 60 24 01 10"}},
        {"data rejected",
         WRITE,
         9,
         9,
         false,
         2,
         0,
         3,
         {"HID SET 00 60 24 01 10", "HID SET-FAIL 00 60 5A 01 20"}},
        {"address rejected", READ, 9, 9, false, 1, 0, 2, {"HID SET-FAIL 00 60 24 01 10"}},
        {"no input length", READ, 9, 0, false, 0, 0, 3, {"HID SET 00 60 24 01 10"}},
        // Byte 2 needs a report of three bytes.
        {"2-byte input", READ, 9, 2, false, 0, 0, 3, {"HID SET 00 60 24 01 10"}},
        {"input not delivered",
         READ,
         9,
         9,
         false,
         0,
         1,
         4,
         {"HID SET 00 60 24 01 10", "HID GET-FAIL"}},
        {"idle rejected", IDLE, 9, 9, false, 1, 0, 2, {"HID SET-FAIL 00 00 00 00 00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what + std::string(c.op == WRITE  ? " write"
                                          : c.op == READ ? " read"
                                                         : " idle"));
        SimHeadset sim;
        // Set on the open handle: the bus opens no interface too short for a command.
        auto hid = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
        sim.Hid().SetReportLengths(c.outputLength, c.inputLength);
        sim.Trace().Clear();
        sim.Hid().Faults().capsFail = c.capsFail;
        sim.Hid().Faults().rejectOutputReport = c.rejectOutput;
        sim.Hid().Faults().dropInputReport = c.dropInput;

        uint8_t value = 0xEE;
        uint32_t code = 0;
        if (c.op == WRITE)
            code = WriteRegister(*hid, 0x124, 0x5A);
        else if (c.op == READ)
            code = ReadRegister(*hid, 0x124, &value);
        else
            code = SendIdleReport(*hid);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(value, 0xEE);
        EXPECT_EQ(sim.Trace().Lines(), c.traffic);
        EXPECT_EQ(sim.Chip().Register(0x124), 0x00);
    }
}

TEST_F(HidChannel, WriteGpioPutsPinsZeroToSevenInByteTwoAndEightNineInTheCode) {
    const struct {
        std::array<uint8_t, kGpioPinCount> pins;
        const char* report;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "HID SET 00 60 00 FF 3C"},
        {{1, 0, 1, 0, 0, 0, 0, 1, 0, 0}, "HID SET 00 60 85 FF 3C"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, "HID SET 00 60 00 FF 3D"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "HID SET 00 60 00 FF 3E"},
        {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "HID SET 00 60 FF FF 3F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report);
        ASSERT_EQ(WriteGpio(*hid, c.pins.data()), 0u);
        EXPECT_EQ(Traffic(), Lines{c.report});
        EXPECT_EQ(sim.Chip().Pins(), c.pins);
    }
}

TEST_F(HidChannel, ReadGpioSendsZeroOperandsAndTakesPinsEightNineFromByteThree) {
    const std::array<uint8_t, kGpioPinCount> chipPins = {0, 1, 0, 0, 0, 0, 1, 0, 1, 1};
    for (int pin = 0; pin < kGpioPinCount; ++pin)
        sim.Chip().SetPin(pin, chipPins[pin]);
    std::array<uint8_t, kGpioPinCount> pins{};
    ASSERT_EQ(ReadGpio(*hid, pins.data()), 0u);
    EXPECT_EQ(pins, chipPins);
    EXPECT_EQ(Traffic(), (Lines{"HID SET 00 60 00 00 30", "HID GET 00 60 42 03 00"}));
}

TEST(HidChannelFailures, GpioCommandsStopAtTheFailingStep) {
    const struct {
        const char* what;
        bool read;
        uint16_t outputLength, inputLength;
        bool capsFail;
        int rejectOutput, dropInput;
        uint32_t code;
        size_t reportsSent;
    } cases[] = {
        {"write, no caps", false, 9, 9, true, 0, 0, 1, 0},
        {"write, 4-byte output", false, 4, 9, false, 0, 0, 2, 0},
        {"write, 1-byte output", false, 1, 9, false, 0, 0, 2, 0},
        {"write rejected", false, 9, 9, false, 1, 0, 3, 0},
        {"read, no caps", true, 9, 9, true, 0, 0, 1, 0},
        {"read, 4-byte output", true, 4, 9, false, 0, 0, 2, 0},
        {"read command rejected", true, 9, 9, false, 1, 0, 3, 0},
        {"read, no input length", true, 9, 0, false, 0, 0, 4, 1},
        {"read, 4-byte input", true, 9, 4, false, 0, 0, 5, 1},
        {"read, input not delivered", true, 9, 9, false, 0, 1, 6, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimHeadset sim;
        // Set on the open handle: the bus opens no interface too short for a command.
        auto hid = sim.HidBus().OpenHidDevice(0x3F9C, 0x4712);
        sim.Hid().SetReportLengths(c.outputLength, c.inputLength);
        sim.Hid().Faults().capsFail = c.capsFail;
        sim.Hid().Faults().rejectOutputReport = c.rejectOutput;
        sim.Hid().Faults().dropInputReport = c.dropInput;
        sim.Chip().SetPin(3, 1);

        std::array<uint8_t, kGpioPinCount> pins;
        pins.fill(7);
        const uint32_t code = c.read ? ReadGpio(*hid, pins.data()) : WriteGpio(*hid, pins.data());
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(sim.Hid().SentReports().size(), c.reportsSent);
        if (c.read) {
            EXPECT_EQ(pins[0], 7);
        }
        EXPECT_EQ(sim.Chip().Pin(3), 1);
    }
}
