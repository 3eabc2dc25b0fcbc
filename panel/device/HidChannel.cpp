#include "HidChannel.h"

#include <vector>

namespace {

// Bytes 0-4 of every command: report ID, 0x60, two operands, the command code.
constexpr uint32_t kCommandBytes = 5;
// A reply's value sits in byte 2.
constexpr uint32_t kReplyValueBytes = 3;

enum : uint8_t {
    CMD_SET_ADDRESS = 0x10,
    CMD_WRITE_DATA = 0x20,
    CMD_READ_GPIO = 0x30,
    CMD_WRITE_GPIO = 0x3C,
};

// A zeroed output report of the interface's length; bytes 5 onward stay zero.
std::vector<uint8_t> Command(uint32_t length, uint8_t b2, uint8_t b3, uint8_t code) {
    std::vector<uint8_t> report(length, 0);
    report[1] = 0x60;
    report[2] = b2;
    report[3] = b3;
    report[4] = code;
    return report;
}

bool Send(IHidDevice& device, const std::vector<uint8_t>& report) {
    return device.SetOutputReport(report.data(), static_cast<uint32_t>(report.size()));
}

bool SendAddress(IHidDevice& device, uint32_t length, uint16_t address) {
    return Send(device, Command(length, static_cast<uint8_t>(address & 0xFF),
                                static_cast<uint8_t>(address >> 8), CMD_SET_ADDRESS));
}

}  // namespace

uint32_t GetOutputReportLength(IHidDevice& device) {
    HidCaps caps;
    return device.GetCaps(caps) ? caps.outputReportByteLength : 0;
}

uint32_t GetInputReportLength(IHidDevice& device) {
    HidCaps caps;
    return device.GetCaps(caps) ? caps.inputReportByteLength : 0;
}

uint32_t WriteRegister(IHidDevice& device, uint16_t address, uint8_t value) {
    // A report too short for the command bytes counts as no report at all.
    const uint32_t length = GetOutputReportLength(device);
    if (length < kCommandBytes)
        return 1;
    if (!SendAddress(device, length, address))
        return 2;
    if (!Send(device, Command(length, value, 0x01, CMD_WRITE_DATA)))
        return 3;
    return 0;
}

uint32_t ReadRegister(IHidDevice& device, uint16_t address, uint8_t* value) {
    const uint32_t outputLength = GetOutputReportLength(device);
    if (outputLength < kCommandBytes)
        return 1;
    if (!SendAddress(device, outputLength, address))
        return 2;
    // An input report without byte 2 cannot carry the value.
    const uint32_t inputLength = GetInputReportLength(device);
    if (inputLength < kReplyValueBytes)
        return 3;
    std::vector<uint8_t> reply(inputLength, 0);
    if (!device.GetInputReport(reply.data(), inputLength))
        return 4;
    if (value)
        *value = reply[2];
    return 0;
}

uint32_t WriteGpio(IHidDevice& device, const uint8_t pins[kGpioPinCount]) {
    const uint32_t length = GetOutputReportLength(device);
    if (length == 0)
        return 1;
    if (length < kCommandBytes)
        return 2;
    uint8_t low = 0;
    for (int pin = 0; pin < 8; ++pin) {
        if (pins[pin])
            low |= static_cast<uint8_t>(1u << pin);
    }
    const uint8_t code = CMD_WRITE_GPIO | (pins[9] ? 0x02 : 0x00) | (pins[8] ? 0x01 : 0x00);
    if (!Send(device, Command(length, low, 0xFF, code)))
        return 3;
    return 0;
}

uint32_t ReadGpio(IHidDevice& device, uint8_t pins[kGpioPinCount]) {
    const uint32_t outputLength = GetOutputReportLength(device);
    if (outputLength == 0)
        return 1;
    if (outputLength < kCommandBytes)
        return 2;
    if (!Send(device, Command(outputLength, 0x00, 0x00, CMD_READ_GPIO)))
        return 3;
    const uint32_t inputLength = GetInputReportLength(device);
    if (inputLength == 0)
        return 4;
    if (inputLength < kCommandBytes)
        return 5;
    std::vector<uint8_t> reply(inputLength, 0);
    if (!device.GetInputReport(reply.data(), inputLength))
        return 6;
    for (int pin = 0; pin < 8; ++pin)
        pins[pin] = (reply[2] >> pin) & 1;
    pins[8] = reply[3] & 1;
    pins[9] = (reply[3] >> 1) & 1;
    return 0;
}

uint32_t SendIdleReport(IHidDevice& device) {
    const uint32_t length = GetOutputReportLength(device);
    if (length < kCommandBytes)
        return 1;
    if (!Send(device, std::vector<uint8_t>(length, 0)))
        return 2;
    return 0;
}
