// The chip's register protocol over HID output and input reports.
//
// Output report: 00 60 b2 b3 cmd, then nothing of the protocol. Commands: 0x10 set register
// address (b2 low, b3 high), 0x20 write data (b2 value, b3 = 1), 0x30 read GPIO, 0x3C-0x3F write
// GPIO (b2 pins 0-7, b3 = 0xFF, code bits 0-1 pins 8 and 9). Five zero bytes are the idle report.
// Input report byte 2 holds the addressed register, or pins 0-7 with pins 8-9 in byte 3.
#pragma once

#include <cstdint>

#include "ports/HidDevice.h"

constexpr int kGpioPinCount = 10;

uint32_t GetOutputReportLength(IHidDevice& device);
uint32_t GetInputReportLength(IHidDevice& device);

// Below 5 bytes an output report cannot hold a command: WriteRegister, ReadRegister and
// SendIdleReport treat such a length as 0, the GPIO commands give it its own code.

// 1 output length 0 (or too short); 2 address report rejected; 3 data rejected.
uint32_t WriteRegister(IHidDevice& device, uint16_t address, uint8_t value);
// 1 output length 0 (or too short); 2 address report rejected; 3 input length 0 (or
// too short to hold byte 2); 4 no input report (value left as it was).
uint32_t ReadRegister(IHidDevice& device, uint16_t address, uint8_t* value);
// 1 output length 0; 2 output length of 4 bytes or less; 3 report rejected.
uint32_t WriteGpio(IHidDevice& device, const uint8_t pins[kGpioPinCount]);
// 1, 2 as WriteGpio; 3 command rejected; 4 input length 0; 5 input length of 4 bytes or less;
// 6 no input report.
uint32_t ReadGpio(IHidDevice& device, uint8_t pins[kGpioPinCount]);
// 1 output length 0 (or too short); 2 report rejected.
uint32_t SendIdleReport(IHidDevice& device);
