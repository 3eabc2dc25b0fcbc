#include "SimChip.h"

namespace {

constexpr size_t kCommandLength = 5;

}  // namespace

void SimChip::PowerOn() {
    registers_.fill(0);
    registers_[0x100] = kPathRegisterPowerOn;
    for (int band = 0; band < 5; ++band)
        registers_[0x121 + 2 * band] = 0x04;
    registers_[0x129] = 0xE4;
    registers_[0x18A] = 0x01;
    registers_[0x18B] = 0xA3;
    registers_[0x18C] = 0xA3;
    pins_.fill(0);
    writes_.clear();
    address_ = 0;
    reply_ = Reply::None;
}

uint16_t SimChip::BandGain(int band) const {
    if (band < 0 || band > 4)
        return 0;
    return static_cast<uint16_t>(registers_[0x120 + 2 * band] |
                                 ((registers_[0x121 + 2 * band] & 0x0F) << 8));
}

void SimChip::SetPin(int pin, uint8_t value) {
    if (pin >= 0 && pin < kGpioPins)
        pins_[pin] = value ? 1 : 0;
}

void SimChip::OnOutputReport(const uint8_t* report, size_t length) {
    // A report too short for the command bytes carries nothing the chip understands.
    if (length < kCommandLength)
        return;
    const uint8_t b2 = report[2];
    const uint8_t b3 = report[3];
    const uint8_t command = report[4];
    if (report[1] != 0x60) {
        reply_ = Reply::None;  // the idle report, or something not of this protocol
        return;
    }
    switch (command) {
        case 0x10:
            address_ = static_cast<uint16_t>(b2 | (b3 << 8));
            reply_ = Reply::Register;
            break;
        case 0x20:
            registers_[address_] = b2;
            if (keepWrites_)
                writes_.push_back({address_, b2});
            break;
        case 0x30:
            reply_ = Reply::Gpio;
            break;
        case 0x3C:
        case 0x3D:
        case 0x3E:
        case 0x3F:
            // Byte 3 masks pins 0-7; pins 8 and 9 always follow the code.
            for (int pin = 0; pin < 8; ++pin) {
                if (b3 & (1 << pin))
                    pins_[pin] = (b2 >> pin) & 1;
            }
            pins_[8] = command & 1;
            pins_[9] = (command >> 1) & 1;
            break;
        default:
            break;
    }
}

void SimChip::FillInputReport(uint8_t* report, size_t length) const {
    uint8_t reply[kCommandLength] = {0x00, 0x60, 0x00, 0x00, 0x00};
    if (reply_ == Reply::Register) {
        reply[2] = registers_[address_];
    } else if (reply_ == Reply::Gpio) {
        for (int pin = 0; pin < 8; ++pin)
            reply[2] |= static_cast<uint8_t>(pins_[pin] << pin);
        reply[3] = static_cast<uint8_t>(pins_[8] | (pins_[9] << 1));
    } else {
        reply[1] = 0x00;
    }
    for (size_t i = 0; i < length; ++i)
        report[i] = i < kCommandLength ? reply[i] : 0;
}
