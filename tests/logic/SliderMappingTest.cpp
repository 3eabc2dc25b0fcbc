#include <gtest/gtest.h>

#include "SliderMapping.h"

namespace {

TEST(SliderMapping, EqEndsAndMiddle) {
    const struct {
        int offset;
        uint16_t gain;
    } cases[] = {{0, 4095}, {60, 1024}, {120, 0}, {90, 512}, {30, 2559}, {-5, 4095}, {500, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(EqGainFromOffset(c.offset, 120), c.gain) << c.offset;
    }
}

TEST(SliderMapping, EqGainStaysIn12BitsSkips1025AndMapsBackToItsOffset) {
    for (int travel : {1, 2, 7, 100, 120, 121, 191}) {
        SCOPED_TRACE(travel);
        int previous = 4096;
        for (int offset = 0; offset <= travel; ++offset) {
            const uint16_t gain = EqGainFromOffset(offset, travel);
            EXPECT_LE(gain, 4095);
            EXPECT_NE(gain, 1025);
            EXPECT_LE(gain, previous);  // lower on the screen, less gain
            EXPECT_EQ(EqOffsetFromGain(gain, travel), offset);
            previous = gain;
        }
    }
}

TEST(SliderMapping, ThreeDValuesAndTops) {
    EXPECT_EQ(D3ValueFromTop(105, 120), 15);
    EXPECT_EQ(D3ValueFromTop(225, 120), 0);
    EXPECT_EQ(D3ValueFromTop(130, 120), 12);
    for (int value = 0; value <= 15; ++value) {
        EXPECT_EQ(D3ValueFromTop(D3TopFromValue(value, 120), 120), value);
    }
    // A travel shorter than the fixed 3D range would give negative values: held at 0.
    EXPECT_EQ(D3ValueFromTop(225, 100), 0);
    EXPECT_EQ(D3ValueFromTop(90, 120), 15);
}

TEST(SliderMapping, MicIs100AtTheTopAnd0AtTheBottom) {
    EXPECT_EQ(MicValueFromTop(80, 80, 120), 100);
    EXPECT_EQ(MicValueFromTop(200, 80, 120), 0);
    EXPECT_EQ(MicValueFromTop(140, 80, 120), 50);
    EXPECT_EQ(MicTopFromLevel(100, 80, 120), 80);
    EXPECT_EQ(MicTopFromLevel(0, 80, 120), 200);
}

TEST(SliderMapping, NoTravelNeverDividesByZero) {
    for (int travel : {0, -4}) {
        EXPECT_LE(EqGainFromOffset(0, travel), 4095);
        EXPECT_LE(D3ValueFromTop(150, travel), 15);
        MicValueFromTop(10, 0, travel);
        EXPECT_GE(EqOffsetFromGain(4095, travel), 0);
    }
}

}  // namespace
