// Read-modify-write of one chip register within an exchange.
#pragma once

#include <cstdint>

#include "ports/HidDevice.h"

// Reads the register, keeps the bits of keepMask, ORs in setBits and writes it back. 0, or
// readCode / writeCode for the step that failed.
uint32_t ModifyRegister(IHidDevice& device, uint16_t address, uint8_t keepMask, uint8_t setBits,
                        uint32_t readCode, uint32_t writeCode);

// Sets the bits of mask when on, clears them otherwise; codes as ModifyRegister.
uint32_t SetRegisterBits(IHidDevice& device, uint16_t address, uint8_t mask, bool on,
                         uint32_t readCode, uint32_t writeCode);
