#include "RegisterMap.h"

#include <algorithm>

#include "HidChannel.h"

namespace {

constexpr uint32_t kBlockSize = 16;

bool BlockFits(uint32_t offset) {
    return offset <= kSettingsImageSize - kBlockSize;
}

// The chip takes 12 bits: a larger gain is its top, not its wrapped low bits.
uint16_t Gain12(uint16_t gain) {
    return std::min(gain, kEqMaxGain);
}
uint8_t Low(uint16_t gain) {
    return static_cast<uint8_t>(Gain12(gain) & 0xFF);
}
uint8_t High(uint16_t gain) {
    return static_cast<uint8_t>(Gain12(gain) >> 8);
}

// Each nibble at most 15, so alpha never spills into the top bits and beta never into alpha.
uint8_t Nibbles(uint8_t alpha, uint8_t beta) {
    const uint8_t top = 15;
    return static_cast<uint8_t>(std::min(alpha, top) << 4 | std::min(beta, top));
}

// Two 12-bit gains in three bytes: a's bits 0-7, a's 8-11 with b's 0-3, b's 4-11.
void PackPair(uint8_t* bytes, uint16_t a, uint16_t b) {
    bytes[0] = Low(a);
    bytes[1] = static_cast<uint8_t>(High(a) | ((Gain12(b) & 0x0F) << 4));
    bytes[2] = static_cast<uint8_t>(Gain12(b) >> 4);
}

void UnpackPair(const uint8_t* bytes, uint16_t& a, uint16_t& b) {
    a = static_cast<uint16_t>(bytes[0] + 256 * (bytes[1] & 0x0F));
    b = static_cast<uint16_t>((bytes[1] >> 4) + 16 * bytes[2]);
}

}  // namespace

bool operator==(const EqRecord& a, const EqRecord& b) {
    return std::equal(a.Gain, a.Gain + kEqBandCount, b.Gain) && a.Bypass == b.Bypass &&
           a.FlagA == b.FlagA && a.FlagB == b.FlagB && a.Through3D == b.Through3D &&
           a.Spare == b.Spare && a.LastBlock == b.LastBlock;
}

const std::array<uint8_t, kDefaultImageSize>& DefaultImage() {
    static const std::array<uint8_t, kDefaultImageSize> image = [] {
        std::array<uint8_t, kDefaultImageSize> bytes;
        bytes.fill(0xFF);
        bytes[DEFAULT_IMAGE_FBM_BYTE] = 0x7B;
        bytes[DEFAULT_IMAGE_LEFT_3D_BYTE] = 0xA3;
        bytes[DEFAULT_IMAGE_RIGHT_3D_BYTE] = 0xA3;
        return bytes;
    }();
    return image;
}

void InitSettingsImage(SettingsImage& image) {
    image.fill(0xFF);
    std::copy(DefaultImage().begin(), DefaultImage().end(), image.begin());
    const EqRecord flat;
    for (int preset = 1; preset <= 4; ++preset)
        StoreEqBlock(image, EqPresetOffset(preset), flat);
}

uint32_t StoreEqBlock(SettingsImage& image, uint32_t offset, const EqRecord& record) {
    if (!BlockFits(offset))
        return 1;
    uint8_t* block = image.data() + offset;
    std::fill(block, block + kBlockSize, 0);
    PackPair(block, record.Gain[0], record.Gain[1]);
    PackPair(block + 3, record.Gain[2], record.Gain[3]);
    block[6] = Low(record.Gain[4]);
    block[7] = static_cast<uint8_t>(High(record.Gain[4]) | (record.Through3D ? 0x10 : 0) |
                                    (record.FlagA ? 0x20 : 0) | (record.FlagB ? 0x40 : 0) |
                                    (record.Bypass ? 0x80 : 0));
    block[14] = record.Spare;
    block[15] = record.LastBlock ? 0x80 : 0x00;
    return 0;
}

uint32_t LoadEqBlock(const SettingsImage& image, uint32_t offset, EqRecord& record) {
    if (!BlockFits(offset))
        return 1;
    const uint8_t* block = image.data() + offset;
    UnpackPair(block, record.Gain[0], record.Gain[1]);
    UnpackPair(block + 3, record.Gain[2], record.Gain[3]);
    record.Gain[4] = static_cast<uint16_t>(block[6] + 256 * (block[7] & 0x0F));
    record.Bypass = (block[7] >> 7) & 1;
    record.FlagB = (block[7] >> 6) & 1;
    record.FlagA = (block[7] >> 5) & 1;
    record.Through3D = (block[7] >> 4) & 1;
    record.Spare = block[14];
    record.LastBlock = (block[15] >> 7) & 1;
    return 0;
}

uint32_t WriteEqRegisters(IHidDevice& device, const EqRecord& record) {
    uint8_t values[2 * kEqBandCount];
    for (int band = 0; band < kEqBandCount; ++band) {
        values[2 * band] = Low(record.Gain[band]);
        values[2 * band + 1] = High(record.Gain[band]);
    }
    values[9] |= static_cast<uint8_t>((record.Through3D ? 0x10 : 0) | (record.FlagA ? 0x20 : 0) |
                                      (record.FlagB ? 0x40 : 0) | (record.Bypass ? 0x80 : 0));
    for (uint32_t step = 0; step < 2 * kEqBandCount; ++step) {
        if (WriteRegister(device, static_cast<uint16_t>(REG_EQ_BAND0_LOW + step), values[step]))
            return step + 1;
    }
    return 0;
}

uint32_t WriteEqBand(IHidDevice& device, int band, uint16_t gain) {
    if (band < 0 || band >= kEqBandCount)
        return 2;
    const uint16_t low = static_cast<uint16_t>(REG_EQ_BAND0_LOW + 2 * band);
    if (WriteRegister(device, low, Low(gain)))
        return 2;
    uint8_t high = High(gain);
    if (low + 1 == REG_EQ_BAND4_HIGH) {
        uint8_t flags = 0;
        if (ReadRegister(device, REG_EQ_BAND4_HIGH, &flags))
            return 3;
        high = static_cast<uint8_t>((flags & 0xF0) | high);
    }
    if (WriteRegister(device, static_cast<uint16_t>(low + 1), high))
        return 4;
    return 0;
}

uint32_t Write3DRegisters(IHidDevice& device, const D3Record& record) {
    uint8_t control = 0;
    if (ReadRegister(device, REG_3D_CONTROL, &control))
        return 1;
    control = static_cast<uint8_t>(record.FBM ? control | 0x01 : control & ~0x01);
    if (WriteRegister(device, REG_3D_CONTROL, control))
        return 2;
    if (WriteRegister(device, REG_3D_LEFT, Nibbles(record.LeftAlpha, record.LeftBeta)))
        return 3;
    if (WriteRegister(device, REG_3D_RIGHT, Nibbles(record.RightAlpha, record.RightBeta)))
        return 4;
    return 0;
}

namespace {

uint32_t WriteChannel3D(IHidDevice& device, uint16_t address, uint8_t alpha, uint8_t beta) {
    if (alpha > 15 || beta > 15)
        return 1;
    return WriteRegister(device, address, Nibbles(alpha, beta)) ? 2 : 0;
}

}  // namespace

uint32_t WriteLeft3D(IHidDevice& device, uint8_t alpha, uint8_t beta) {
    return WriteChannel3D(device, REG_3D_LEFT, alpha, beta);
}

uint32_t WriteRight3D(IHidDevice& device, uint8_t alpha, uint8_t beta) {
    return WriteChannel3D(device, REG_3D_RIGHT, alpha, beta);
}

uint32_t LoadDefault3D(D3Record& record) {
    const auto& image = DefaultImage();
    record.FBM = (image[DEFAULT_IMAGE_FBM_BYTE] >> 6) & 1;
    record.LeftAlpha = image[DEFAULT_IMAGE_LEFT_3D_BYTE] >> 4;
    record.LeftBeta = image[DEFAULT_IMAGE_LEFT_3D_BYTE] & 0x0F;
    record.RightAlpha = image[DEFAULT_IMAGE_RIGHT_3D_BYTE] >> 4;
    record.RightBeta = image[DEFAULT_IMAGE_RIGHT_3D_BYTE] & 0x0F;
    return 0;
}
