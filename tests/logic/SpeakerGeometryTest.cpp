#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "SpeakerGeometry.h"

namespace {

constexpr int kCx = 180;
constexpr int kCy = 150;
constexpr double kFullTurn = 6.283185307179586;

struct PositionCase {
    const char* name;
    Point icon;
    double angle;
    double distance;
};

TEST(SpeakerGeometry, AngleAndDistanceInEachQuadrant) {
    const PositionCase cases[] = {
        {"right", {kCx + 50, kCy}, 0.0, 50},
        {"above", {kCx, kCy - 50}, 1.5707963, 50},
        {"above left", {kCx - 30, kCy - 30}, 3.14159 - 0.7853982, 42.426407},
        {"left", {kCx - 50, kCy}, 3.14159, 50},
        {"below left", {kCx - 30, kCy + 30}, 3.14159 + 0.7853982, 42.426407},
        {"straight below", {kCx, kCy + 50}, 6.28318 - 1.5707963, 50},
        {"below right", {kCx + 30, kCy + 30}, 6.28318 - 0.7853982, 42.426407},
        {"above right", {kCx + 40, kCy - 30}, 0.6435011, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SpeakerFigures f = SpeakerFromPosition(c.icon, kCx, kCy);
        EXPECT_NEAR(f.angle, c.angle, 1e-5);
        EXPECT_NEAR(f.distance, c.distance, 1e-5);
    }
    EXPECT_NEAR(SpeakerFromPosition({kCx, kCy + 1}, kCx, kCy).angle, 4.7124, 1e-4);
}

TEST(SpeakerGeometry, GainFallsWithDistanceInDecibels) {
    // t = 4 - d/9 dB: +4 dB next to the centre, unity at 36 pixels.
    const struct {
        int dx;
        double gain;
    } cases[] = {{1, 1.5647}, {36, 1.0}, {30, 1.0798}, {96, 0.46416}, {180, 0.15849}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dx);
        EXPECT_NEAR(SpeakerFromPosition({kCx + c.dx, kCy}, kCx, kCy).gain, c.gain, 1e-4);
    }
}

TEST(SpeakerGeometry, IconOnTheCentreIsSilentAtAngleZero) {
    const SpeakerFigures f = SpeakerFromPosition({kCx, kCy}, kCx, kCy);
    EXPECT_EQ(f.gain, 0.0f);
    EXPECT_EQ(f.angle, 0.0f);
    EXPECT_EQ(f.distance, 0.0);
}

TEST(SpeakerGeometry, TableHoldsGainsThenAnglesAndFillsTheState) {
    Point icons[kSpeakerCount];
    for (int k = 0; k < kSpeakerCount; ++k) {
        icons[k] = {kCx + 10 * (k + 1), kCy - 5 * k};
    }
    icons[SPEAKER_SUB] = {kCx, kCy};
    RotationState state;
    float table[kSpeakerTableSize];
    ComputeSpeakerTable(icons, kCx, kCy, state, table);
    for (int k = 0; k < kSpeakerCount; ++k) {
        SCOPED_TRACE(k);
        const SpeakerFigures f = SpeakerFromPosition(icons[k], kCx, kCy);
        EXPECT_EQ(table[k], f.gain);
        EXPECT_EQ(table[kSpeakerCount + k], f.angle);
        EXPECT_EQ(state.angle[k], f.angle);
        EXPECT_EQ(state.distance[k], f.distance);
    }
    EXPECT_EQ(table[SPEAKER_SUB], 0.0f);
}

TEST(SpeakerGeometry, ResetCircleWithRadius60) {
    Point icons[kSpeakerCount];
    DefaultSpeakerLayout({kCx, kCy, 60}, icons);
    // Every coordinate is truncated as a whole, so the diagonals land a pixel off the circle.
    const Point expected[kSpeakerCount] = {
        {112, 82}, {247, 82}, {180, 54}, {180, 120}, {84, 150}, {276, 150}, {112, 217}, {247, 217},
    };
    for (int k = 0; k < kSpeakerCount; ++k) {
        EXPECT_EQ(icons[k], expected[k]) << "speaker " << k;
    }

    RotationState state;
    float table[kSpeakerTableSize];
    ComputeSpeakerTable(icons, kCx, kCy, state, table);
    for (int k : {SPEAKER_C, SPEAKER_LS, SPEAKER_RS}) {
        EXPECT_EQ(state.distance[k], 96.0) << k;
        EXPECT_NEAR(table[k], 0.4642, 1e-3) << k;  // about -6.7 dB
    }
    for (int k : {SPEAKER_L, SPEAKER_R, SPEAKER_LB, SPEAKER_RB}) {
        EXPECT_NEAR(state.distance[k], 96.0, 1.5) << k;
        EXPECT_NEAR(table[k], 0.466, 0.01) << k;
    }
    EXPECT_EQ(state.distance[SPEAKER_SUB], 30.0);
    EXPECT_NEAR(table[SPEAKER_SUB], 1.0798, 1e-3);  // about +0.67 dB
    EXPECT_NEAR(table[kSpeakerCount + SPEAKER_C], 1.5708, 1e-4);
    EXPECT_NEAR(table[kSpeakerCount + SPEAKER_LS], 3.14159, 1e-5);
    EXPECT_EQ(table[kSpeakerCount + SPEAKER_RS], 0.0f);
}

TEST(SpeakerGeometry, ResetTruncatesTowardZeroLeftOfTheOrigin) {
    // Centre near the origin: negative coordinates are cut toward zero, not rounded down.
    Point icons[kSpeakerCount];
    DefaultSpeakerLayout({10, 10, 10}, icons);
    EXPECT_EQ(icons[SPEAKER_LS], (Point{-6, 10}));  // 10 - 16
    EXPECT_EQ(icons[SPEAKER_LB], (Point{-1, 21}));  // 10 - 11.31, 10 + 11.31
    EXPECT_EQ(icons[SPEAKER_SUB], (Point{10, 5}));  // r div 2
    EXPECT_EQ(icons[SPEAKER_C], (Point{10, -6}));
}

TEST(SpeakerGeometry, RotationPlacesFromTheOldAngleThenAdvancesOneDegree) {
    RotationState state;
    for (int k = 0; k < kSpeakerCount; ++k) {
        state.angle[k] = static_cast<float>(0.5 * k);
        state.distance[k] = 40.0 + k;
    }
    const RotationState before = state;
    Point icons[kSpeakerCount];
    RotateSpeakers(state, kCx, kCy, Rotation::Clockwise, icons);
    for (int k = 0; k < kSpeakerCount; ++k) {
        SCOPED_TRACE(k);
        const double a = before.angle[k];
        EXPECT_EQ(icons[k].x, static_cast<int>(kCx + std::cos(a) * before.distance[k]));
        EXPECT_EQ(icons[k].y, static_cast<int>(kCy - std::sin(a) * before.distance[k]));
        EXPECT_EQ(state.angle[k], static_cast<float>(a + kRotationStep));
        EXPECT_EQ(state.distance[k], before.distance[k]);
    }
    RotateSpeakers(state, kCx, kCy, Rotation::CounterClockwise, icons);
    for (int k = 0; k < kSpeakerCount; ++k) {
        // Speaker 0 starts at 0: back there, or a hair below a full turn.
        EXPECT_NEAR(std::remainder(state.angle[k] - before.angle[k], kFullTurn), 0, 1e-6) << k;
    }
}

TEST(SpeakerGeometry, FullTurnComesBackUpToTruncation) {
    Point reset[kSpeakerCount];
    DefaultSpeakerLayout({kCx, kCy, 60}, reset);
    RotationState state;
    float table[kSpeakerTableSize];
    ComputeSpeakerTable(reset, kCx, kCy, state, table);
    const RotationState start = state;

    Point first[kSpeakerCount];
    RotateSpeakers(state, kCx, kCy, Rotation::Clockwise, first);
    Point icons[kSpeakerCount];
    for (int step = 1; step < 360; ++step) {
        RotateSpeakers(state, kCx, kCy, Rotation::Clockwise, icons);
    }
    for (int k = 0; k < kSpeakerCount; ++k) {
        SCOPED_TRACE(k);
        // 360 steps of the driver's degree fall short of a turn by 2 pi - 6.28318; float
        // rounding over them stays far below a pixel's worth.
        EXPECT_NEAR(std::remainder(state.angle[k] - start.angle[k], kFullTurn), 6.28318 - kFullTurn,
                    2e-4);
        EXPECT_EQ(state.distance[k], start.distance[k]);
    }
    // Step 361 places the icons from the angles a full turn on: where step 1 put them.
    RotateSpeakers(state, kCx, kCy, Rotation::Clockwise, icons);
    for (int k = 0; k < kSpeakerCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_LE(std::abs(icons[k].x - first[k].x), 1);
        EXPECT_LE(std::abs(icons[k].y - first[k].y), 1);
        EXPECT_LE(std::abs(first[k].x - reset[k].x), 1);
        EXPECT_LE(std::abs(first[k].y - reset[k].y), 1);
    }
    EXPECT_LT(state.angle[SPEAKER_C], 6.28318f);  // the angles stay within one turn
}

// The panel may rotate for days: 50 ticks a second for a week, each tick still one degree.
TEST(SpeakerGeometry, AWeekOfTicksStillTurnsOneDegreeEachTick) {
    constexpr long kWeekOfTicks = 7L * 24 * 3600 * 50;
    for (const Rotation direction : {Rotation::Clockwise, Rotation::CounterClockwise}) {
        float angle = 1.5707964f;
        double worst = 0;
        for (long tick = 0; tick < kWeekOfTicks; ++tick) {
            const float next = AdvanceAngle(angle, direction);
            double turned = std::abs(static_cast<double>(next) - angle);
            if (turned > kFullTurn / 2) {
                turned = kFullTurn - turned;  // across the wrap
            }
            worst = std::max(worst, std::abs(turned - kRotationStep));
            angle = next;
        }
        EXPECT_LT(worst, 1e-5);
        EXPECT_GE(angle, 0.0f);
        EXPECT_LE(angle, static_cast<float>(kFullTurn));
    }
}

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

// The driver gets these floats bit for bit from every build: the shipped 32-bit program must send
// what the 64-bit one sends (no extended-precision intermediates).
TEST(SpeakerGeometry, TablesAreTheSameBitForBitInEveryBuild) {
    Point icons[kSpeakerCount];
    DefaultSpeakerLayout({kCx, kCy, 60}, icons);
    RotationState state;
    float table[kSpeakerTableSize];
    ComputeSpeakerTable(icons, kCx, kCy, state, table);
    const uint32_t reset[kSpeakerTableSize] = {
        0x3EED24C6, 0x3EEF4A5A, 0x3EEDA63C, 0x3F8A3613, 0x3EEDA63C, 0x3EEDA63C,
        0x3EEF4A5A, 0x3EF1790B, 0x4016CBD9, 0x3F4AF54C, 0x3FC90FDB, 0x3FC90FDB,
        0x40490FD0, 0x00000000, 0x407ADA6A, 0x40AFEDD4,
    };
    for (int k = 0; k < kSpeakerTableSize; ++k)
        EXPECT_EQ(Bits(table[k]), reset[k]) << "float " << k;

    for (int tick = 0; tick < 100; ++tick)
        RotateSpeakers(state, kCx, kCy, Rotation::Clockwise, icons);
    const Point moved[kSpeakerCount] = {
        {123, 227}, {102, 94}, {85, 165}, {150, 154}, {195, 244}, {164, 55}, {256, 206}, {235, 73},
    };
    const uint32_t angles[kSpeakerCount] = {
        0x40833F95, 0x402270C3, 0x40543B4A, 0x40543B4A,
        0x409C6190, 0x3FDF66EE, 0x40B546DD, 0x3F75BD4F,  // RB past a full turn
    };
    for (int k = 0; k < kSpeakerCount; ++k) {
        EXPECT_EQ(icons[k], moved[k]) << "speaker " << k;
        EXPECT_EQ(Bits(state.angle[k]), angles[k]) << "speaker " << k;
    }
    ComputeSpeakerTable(icons, kCx, kCy, state, table);
    const uint32_t rotated[kSpeakerTableSize] = {
        0x3EEE409E, 0x3EED9606, 0x3EED1CB3, 0x3F89BE1D, 0x3EF02075, 0x3EEC9FCB,
        0x3EF28D93, 0x3EF1DD56, 0x4082679D, 0x402135F9, 0x40531593, 0x40518B89,
        0x409BDC27, 0x3FDE6B47, 0x40B4BDAC, 0x3F73570A,
    };
    for (int k = 0; k < kSpeakerTableSize; ++k)
        EXPECT_EQ(Bits(table[k]), rotated[k]) << "float " << k;
}

}  // namespace
