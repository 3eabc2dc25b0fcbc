// Where the equaliser and the 3D effect live in the chip's registers, the panel's records of
// them, the settings image with its four EQ preset blocks, and the multi-register writes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "ports/HidDevice.h"

enum : uint16_t {
    REG_EQ_PATH = 0x100,        // bit 2: EQ path enable
    REG_EQ_BAND0_LOW = 0x120,   // band n: 0x120 + 2n low byte, 0x121 + 2n bits 8-11
    REG_EQ_BAND4_HIGH = 0x129,  // bits 0-3 gain, 4 3D through EQ, 5 flag A, 6 flag B, 7 bypass
    REG_3D_CONTROL = 0x18A,     // bit 0 FBM, bit 6 3D enable
    REG_3D_LEFT = 0x18B,        // alpha << 4 | beta
    REG_3D_RIGHT = 0x18C,
};

constexpr int kEqBandCount = 5;
constexpr uint16_t kEqFlatGain = 1024;
constexpr uint16_t kEqMaxGain = 4095;

struct EqRecord {
    uint16_t Gain[kEqBandCount] = {kEqFlatGain, kEqFlatGain, kEqFlatGain, kEqFlatGain, kEqFlatGain};
    int32_t Bypass = 1;
    int32_t FlagA = 1;
    int32_t FlagB = 1;
    int32_t Through3D = 0;
    uint8_t Spare = 0;
    int32_t LastBlock = 1;
};

bool operator==(const EqRecord& a, const EqRecord& b);
inline bool operator!=(const EqRecord& a, const EqRecord& b) {
    return !(a == b);
}

struct D3Record {
    int32_t FBM = 0;
    uint8_t LeftAlpha = 0;
    uint8_t LeftBeta = 0;
    uint8_t RightAlpha = 0;
    uint8_t RightBeta = 0;
};

// The bytes of the chip's factory image that the panel uses.
enum : uint16_t {
    DEFAULT_IMAGE_FBM_BYTE = 0xA1,  // bit 6
    DEFAULT_IMAGE_LEFT_3D_BYTE = 0xE7,
    DEFAULT_IMAGE_RIGHT_3D_BYTE = 0xE8,
};

constexpr size_t kSettingsImageSize = 2048;
constexpr size_t kDefaultImageSize = 256;
using SettingsImage = std::array<uint8_t, kSettingsImageSize>;

// Offset of preset n's block (n = 1..4).
constexpr uint32_t EqPresetOffset(int preset) {
    return 0x100 + 16u * static_cast<uint32_t>(preset - 1);
}

// The factory image: 0xFF where the panel uses nothing.
const std::array<uint8_t, kDefaultImageSize>& DefaultImage();

// All 0xFF, the factory image in the first 256 bytes, the default EqRecord in the four presets.
void InitSettingsImage(SettingsImage& image);

// 0; 1 when the block does not fit in the image (offset above 2032): nothing stored or loaded.
uint32_t StoreEqBlock(SettingsImage& image, uint32_t offset, const EqRecord& record);
uint32_t LoadEqBlock(const SettingsImage& image, uint32_t offset, EqRecord& record);

// 0, or 1-10 for the failing register write in band order.
uint32_t WriteEqRegisters(IHidDevice& device, const EqRecord& record);
// One band while its slider moves: 0x120 + 2 band = gain bits 0-7; 0x121 + 2 band = bits 8-11,
// for band 4 a read-modify-write that keeps the chip's flags in bits 4-7. 0; 2 low byte not
// written (or no such band); 3 read of 0x129 failed; 4 high bits not written.
uint32_t WriteEqBand(IHidDevice& device, int band, uint16_t gain);
// 0; 1 read of 0x18A failed; 2 its write; 3 left channel; 4 right channel.
uint32_t Write3DRegisters(IHidDevice& device, const D3Record& record);
// 1 when alpha or beta exceeds 15 (nothing written); 2 write failed.
uint32_t WriteLeft3D(IHidDevice& device, uint8_t alpha, uint8_t beta);
uint32_t WriteRight3D(IHidDevice& device, uint8_t alpha, uint8_t beta);
uint32_t LoadDefault3D(D3Record& record);
