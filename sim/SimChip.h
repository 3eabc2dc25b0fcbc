// The headset's sound chip as its HID report protocol shows it: 16-bit register addresses with
// 8-bit values, ten GPIO pins, and the reply that the next input report carries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class SimChip {
public:
    static constexpr int kGpioPins = 10;

    struct RegisterWrite {
        uint16_t address;
        uint8_t value;
    };

    // 0x100 after power-on: the EQ path (bit 2) off, the chip's other path bits on. Only bit 2
    // is the panel's; a write that clobbers the rest shows.
    static constexpr uint8_t kPathRegisterPowerOn = 0x83;

    SimChip() { PowerOn(); }

    // Registers as after power-on: all 0 except 0x100 = kPathRegisterPowerOn, the bands at 1024
    // (high bytes 0x04), 0x129 = 0xE4 (bypassed, flags A and B), 0x18A = 0x01 (FBM),
    // 0x18B = 0x18C = 0xA3; pins 0; no address.
    void PowerOn();

    uint8_t Register(uint16_t address) const { return registers_[address]; }
    void SetRegister(uint16_t address, uint8_t value) { registers_[address] = value; }
    // The 12-bit gain of band 0-4 as the band registers hold it.
    uint16_t BandGain(int band) const;

    uint8_t Pin(int pin) const { return pin >= 0 && pin < kGpioPins ? pins_[pin] : 0; }
    void SetPin(int pin, uint8_t value);
    const std::array<uint8_t, kGpioPins>& Pins() const { return pins_; }

    // Every data write in order, since power-on or the last ClearWrites.
    const std::vector<RegisterWrite>& Writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }
    // Whether writes are recorded (the default).
    void KeepWrites(bool keep) { keepWrites_ = keep; }

    // The protocol: an output report the device accepted, and the input report it answers with.
    void OnOutputReport(const uint8_t* report, size_t length);
    void FillInputReport(uint8_t* report, size_t length) const;

private:
    enum class Reply { None, Register, Gpio };

    std::array<uint8_t, 0x10000> registers_{};
    std::array<uint8_t, kGpioPins> pins_{};
    std::vector<RegisterWrite> writes_;
    uint16_t address_ = 0;
    bool keepWrites_ = true;
    Reply reply_ = Reply::None;
};
