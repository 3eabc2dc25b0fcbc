#include "RegisterBits.h"

#include "HidChannel.h"

uint32_t ModifyRegister(IHidDevice& device, uint16_t address, uint8_t keepMask, uint8_t setBits,
                        uint32_t readCode, uint32_t writeCode) {
    uint8_t value = 0;
    if (ReadRegister(device, address, &value) != 0) {
        return readCode;
    }
    value = static_cast<uint8_t>((value & keepMask) | setBits);
    if (WriteRegister(device, address, value) != 0) {
        return writeCode;
    }
    return 0;
}

uint32_t SetRegisterBits(IHidDevice& device, uint16_t address, uint8_t mask, bool on,
                         uint32_t readCode, uint32_t writeCode) {
    return ModifyRegister(device, address, static_cast<uint8_t>(~mask), on ? mask : 0, readCode,
                          writeCode);
}
