// The EQ and 3D registers, the EQ preset blocks and the settings image.
#include "RegisterMap.h"

#include <algorithm>

#include "DeviceFixture.h"
#include "HidChannel.h"

using Writes_ = std::vector<SimChip::RegisterWrite>;

namespace {

EqRecord Record(std::array<uint16_t, 5> gains, int bypass, int flagA, int flagB, int through3D,
                uint8_t spare, int lastBlock) {
    EqRecord record;
    std::copy(gains.begin(), gains.end(), record.Gain);
    record.Bypass = bypass;
    record.FlagA = flagA;
    record.FlagB = flagB;
    record.Through3D = through3D;
    record.Spare = spare;
    record.LastBlock = lastBlock;
    return record;
}

}  // namespace

TEST(EqBlock, PacksTheRecordByteForByte) {
    SettingsImage image;
    image.fill(0xFF);
    const EqRecord record = Record({0x123, 0xABC, 0x400, 0xFFF, 0x9A5}, 1, 0, 1, 1, 0x5C, 1);
    ASSERT_EQ(StoreEqBlock(image, EqPresetOffset(2), record), 0u);
    const std::vector<uint8_t> block(image.begin() + 0x110, image.begin() + 0x120);
    const std::vector<uint8_t> expected = {0x23, 0xC1, 0xAB, 0x00, 0xF4, 0xFF, 0xA5, 0xD9,
                                           0,    0,    0,    0,    0,    0,    0x5C, 0x80};
    EXPECT_EQ(block, expected);
    EXPECT_EQ(image[0x10F], 0xFF);
    EXPECT_EQ(image[0x120], 0xFF);
}

TEST(EqBlock, LoadReturnsWhatWasStored) {
    const EqRecord records[] = {
        EqRecord(),
        Record({0, 0, 0, 0, 0}, 0, 0, 0, 0, 0, 0),
        Record({4095, 4095, 4095, 4095, 4095}, 1, 1, 1, 1, 0xFF, 1),
        Record({1, 0x10, 0x100, 0x800, 0x0F0}, 0, 1, 0, 1, 0x80, 0),
        Record({1024, 2047, 3071, 1026, 17}, 1, 0, 1, 0, 0x01, 1),
    };
    for (const EqRecord& record : records) {
        SettingsImage image;
        image.fill(0xAA);  // bytes 8-13 are zeroed by the store and ignored by the load
        ASSERT_EQ(StoreEqBlock(image, EqPresetOffset(4), record), 0u);
        image[0x130 + 8] = 0x77;
        EqRecord loaded = Record({9, 9, 9, 9, 9}, 9, 9, 9, 9, 9, 9);
        ASSERT_EQ(LoadEqBlock(image, EqPresetOffset(4), loaded), 0u);
        EXPECT_EQ(loaded, record) << "gain 0 " << record.Gain[0];
    }
}

TEST(EqBlock, OffsetsPastTheImageAreRefused) {
    SettingsImage image;
    image.fill(0x11);
    EqRecord record = Record({1, 2, 3, 4, 5}, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(StoreEqBlock(image, 2048 - 15, EqRecord()), 1u);
    EXPECT_EQ(StoreEqBlock(image, 0xFFFFFFF0u, EqRecord()), 1u);
    EXPECT_EQ(LoadEqBlock(image, 2048 - 15, record), 1u);
    EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](uint8_t b) { return b == 0x11; }));
    EXPECT_EQ(record.Gain[0], 1);
    EXPECT_EQ(StoreEqBlock(image, 2048 - 16, EqRecord()), 0u);
}

TEST(SettingsImageInit, FactoryBytesThenFourFlatPresets) {
    SettingsImage image;
    image.fill(0);
    InitSettingsImage(image);
    EXPECT_EQ(image[0xA1], 0x7B);
    EXPECT_EQ(image[0xE7], 0xA3);
    EXPECT_EQ(image[0xE8], 0xA3);
    const std::vector<uint8_t> flat = {0x00, 0x04, 0x40, 0x00, 0x04, 0x40, 0x00, 0xE4,
                                       0,    0,    0,    0,    0,    0,    0x00, 0x80};
    for (int preset = 1; preset <= 4; ++preset) {
        const auto start = image.begin() + EqPresetOffset(preset);
        EXPECT_EQ(std::vector<uint8_t>(start, start + 16), flat) << "preset " << preset;
    }
    for (size_t i = 0; i < image.size(); ++i) {
        if (i == 0xA1 || i == 0xE7 || i == 0xE8 || (i >= 0x100 && i < 0x140))
            continue;
        ASSERT_EQ(image[i], 0xFF) << "byte " << i;
    }
}

TEST(Default3D, ComesFromTheFactoryImage) {
    D3Record record;
    ASSERT_EQ(LoadDefault3D(record), 0u);
    EXPECT_EQ(record.FBM, 1);
    EXPECT_EQ(record.LeftAlpha, 10);
    EXPECT_EQ(record.LeftBeta, 3);
    EXPECT_EQ(record.RightAlpha, 10);
    EXPECT_EQ(record.RightBeta, 3);
}

class RegisterMap : public HeadsetTest {};

TEST_F(RegisterMap, WriteEqRegistersWritesTheTenRegistersInOrder) {
    ASSERT_EQ(WriteEqRegisters(*hid, Record({4095, 1024, 0, 0xABC, 0x3FF}, 0, 1, 1, 1, 0, 1)), 0u);
    const Writes_ expected = {{0x120, 0xFF}, {0x121, 0x0F}, {0x122, 0x00}, {0x123, 0x04},
                              {0x124, 0x00}, {0x125, 0x00}, {0x126, 0xBC}, {0x127, 0x0A},
                              {0x128, 0xFF}, {0x129, 0x73}};
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(Traffic().size(), 20u);  // an address and a data report each
}

TEST_F(RegisterMap, WriteEqRegistersFlagsOfRegister129) {
    EXPECT_EQ(WriteEqRegisters(*hid, Record({0, 0, 0, 0, 0x100}, 1, 0, 0, 0, 0, 0)), 0u);
    EXPECT_EQ(sim.Chip().Register(0x129), 0x81);
    EXPECT_EQ(WriteEqRegisters(*hid, Record({0, 0, 0, 0, 0}, 0, 1, 0, 0, 0, 0)), 0u);
    EXPECT_EQ(sim.Chip().Register(0x129), 0x20);
    EXPECT_EQ(WriteEqRegisters(*hid, Record({0, 0, 0, 0, 0}, 0, 0, 1, 0, 0, 0)), 0u);
    EXPECT_EQ(sim.Chip().Register(0x129), 0x40);
    EXPECT_EQ(WriteEqRegisters(*hid, Record({0, 0, 0, 0, 0}, 0, 0, 0, 1, 0, 0)), 0u);
    EXPECT_EQ(sim.Chip().Register(0x129), 0x10);
}

TEST_F(RegisterMap, WriteEqRegistersReportsTheFailingWrite) {
    for (uint32_t step = 1; step <= 10; ++step) {
        const uint16_t failing = static_cast<uint16_t>(0x11F + step);
        SCOPED_TRACE(failing);
        sim.Chip().ClearWrites();
        sim.Hid().Faults().rejectAddress = failing;
        EXPECT_EQ(WriteEqRegisters(*hid, EqRecord()), step);
        ASSERT_EQ(Writes().size(), step - 1);
        if (step > 1) {
            EXPECT_EQ(Writes().back().address, failing - 1);
        }
    }
}

TEST_F(RegisterMap, Write3DRegistersSetsOnlyTheFbmBitOf18A) {
    const struct {
        uint8_t before;
        int fbm;
        uint8_t after;
    } cases[] = {{0x44, 1, 0x45}, {0x45, 0, 0x44}, {0x00, 0, 0x00}, {0xFF, 1, 0xFF}};
    for (const auto& c : cases) {
        sim.Chip().SetRegister(0x18A, c.before);
        sim.Chip().ClearWrites();
        D3Record record;
        record.FBM = c.fbm;
        record.LeftAlpha = 10;
        record.LeftBeta = 3;
        record.RightAlpha = 15;
        record.RightBeta = 0;
        ASSERT_EQ(Write3DRegisters(*hid, record), 0u);
        EXPECT_EQ(Writes(), (Writes_{{0x18A, c.after}, {0x18B, 0xA3}, {0x18C, 0xF0}}));
    }
}

TEST_F(RegisterMap, Write3DRegistersReportsTheFailingStep) {
    const struct {
        const char* what;
        int rejectOutput, dropInput;
        uint32_t code;
        size_t written;
    } cases[] = {
        {"0x18A address rejected", 1, 0, 1, 0},
        {"0x18A not delivered", 0, 1, 1, 0},
        {"0x18A write", 2, 0, 2, 0},
        {"0x18B write", 4, 0, 3, 1},
        {"0x18C write", 6, 0, 4, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim.Chip().ClearWrites();
        sim.Hid().Faults().rejectOutputReport = c.rejectOutput;
        sim.Hid().Faults().dropInputReport = c.dropInput;
        EXPECT_EQ(Write3DRegisters(*hid, D3Record()), c.code);
        EXPECT_EQ(Writes().size(), c.written);
    }
}

TEST_F(RegisterMap, ChannelWritesPackAlphaAndBeta) {
    const struct {
        bool left;
        uint8_t alpha, beta;
        uint32_t code;
        size_t written;
        uint8_t value;
    } cases[] = {
        {true, 10, 3, 0, 1, 0xA3}, {false, 15, 15, 0, 1, 0xFF}, {true, 0, 0, 0, 1, 0x00},
        {true, 16, 0, 1, 0, 0},    {false, 0, 16, 1, 0, 0},     {false, 255, 255, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.left ? "left " : "right ") << int{c.alpha} << "/" << int{c.beta});
        sim.Chip().ClearWrites();
        const uint32_t code =
            c.left ? WriteLeft3D(*hid, c.alpha, c.beta) : WriteRight3D(*hid, c.alpha, c.beta);
        EXPECT_EQ(code, c.code);
        ASSERT_EQ(Writes().size(), c.written);
        if (c.written) {
            EXPECT_EQ(Writes()[0],
                      (SimChip::RegisterWrite{uint16_t(c.left ? 0x18B : 0x18C), c.value}));
        }
    }
    sim.Hid().Faults().rejectOutputReport = 2;
    EXPECT_EQ(WriteLeft3D(*hid, 1, 1), 2u);
    sim.Hid().Faults().rejectOutputReport = 1;
    EXPECT_EQ(WriteRight3D(*hid, 1, 1), 2u);
}

TEST_F(RegisterMap, BandWriteOfTheTopBandKeepsTheChipsFlags) {
    sim.Chip().SetRegister(0x129, 0xA5);
    ASSERT_EQ(WriteEqBand(*hid, 4, 0x3FE), 0u);
    EXPECT_EQ(Writes(), (Writes_{{0x128, 0xFE}, {0x129, 0xA3}}));
    EXPECT_EQ(Traffic(),
              (std::vector<std::string>{"HID SET 00 60 28 01 10", "HID SET 00 60 FE 01 20",
                                        "HID SET 00 60 29 01 10", "HID GET 00 60 A5 00 00",
                                        "HID SET 00 60 29 01 10", "HID SET 00 60 A3 01 20"}));
}

TEST_F(RegisterMap, BandWriteOfTheOtherBands) {
    const struct {
        int band;
        uint16_t gain;
        Writes_ writes;
    } cases[] = {
        {0, 4095, {{0x120, 0xFF}, {0x121, 0x0F}}},
        {1, 1024, {{0x122, 0x00}, {0x123, 0x04}}},
        {2, 0, {{0x124, 0x00}, {0x125, 0x00}}},
        {3, 0xFABC, {{0x126, 0xFF}, {0x127, 0x0F}}},  // above 12 bits is the chip's top
    };
    for (const auto& c : cases) {
        sim.Chip().ClearWrites();
        EXPECT_EQ(WriteEqBand(*hid, c.band, c.gain), 0u);
        EXPECT_EQ(Writes(), c.writes) << "band " << c.band;
    }
}

// Records filled from files the user edits may hold more than the chip takes: it gets its top,
// never the wrapped low bits (0x1400 would be 0x400, the flat setting).
TEST_F(RegisterMap, ValuesAboveWhatTheChipTakesAreSentAsItsTop) {
    ASSERT_EQ(
        WriteEqRegisters(*hid, Record({0x1400, 0xFFFF, 4096, 4095, 0x1000}, 0, 1, 1, 0, 0, 1)), 0u);
    for (int band = 0; band < kEqBandCount; ++band) {
        EXPECT_EQ(sim.Chip().BandGain(band), 4095) << "band " << band;
    }
    EXPECT_EQ(sim.Chip().Register(0x129), 0x6F);  // the flags stay where they belong

    SettingsImage image{};
    EqRecord loaded;
    StoreEqBlock(image, EqPresetOffset(1), Record({0x1400, 0, 0x2001, 0, 0}, 1, 1, 1, 0, 0, 1));
    LoadEqBlock(image, EqPresetOffset(1), loaded);
    EXPECT_EQ(loaded.Gain[0], 4095);
    EXPECT_EQ(loaded.Gain[1], 0);
    EXPECT_EQ(loaded.Gain[2], 4095);

    D3Record d3;
    d3.LeftAlpha = 200;
    d3.LeftBeta = 3;
    d3.RightAlpha = 1;
    d3.RightBeta = 0x1F;
    ASSERT_EQ(Write3DRegisters(*hid, d3), 0u);
    EXPECT_EQ(sim.Chip().Register(0x18B), 0xF3);
    EXPECT_EQ(sim.Chip().Register(0x18C), 0x1F);
}

TEST_F(RegisterMap, BandWriteCodes) {
    const struct {
        const char* what;
        int band;
        int rejectOutput, dropInput;
        uint32_t code;
        size_t written;
    } cases[] = {
        {"no such band", 5, 0, 0, 2, 0},       {"negative band", -1, 0, 0, 2, 0},
        {"low byte", 4, 1, 0, 2, 0},           {"0x129 not read", 4, 0, 1, 3, 1},
        {"top band high bits", 4, 4, 0, 4, 1}, {"band 1 high bits", 1, 3, 0, 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim.Chip().ClearWrites();
        sim.Hid().Faults().rejectOutputReport = c.rejectOutput;
        sim.Hid().Faults().dropInputReport = c.dropInput;
        EXPECT_EQ(WriteEqBand(*hid, c.band, 1024), c.code);
        EXPECT_EQ(Writes().size(), c.written);
    }
}
