// The meter's arithmetic at the edges the window relies on.

#include <gtest/gtest.h>

#include "meter/meter_formulas.h"

namespace dx {
namespace {

TEST(MeterFormulas, DeviationAndCalibrationAtTheEdges) {
    struct Case {
        uint32_t p;
        int deviation;
        bool calibrated;
    };
    for (const Case& c : {Case{57120, 0, true}, Case{56610, -1, true}, Case{56609, -2, false},
                          Case{58139, 1, true}, Case{58140, 2, false}, Case{0, -112, false},
                          Case{65535, 16, false}}) {
        EXPECT_EQ(probeDeviation(c.p), c.deviation) << c.p;
        EXPECT_EQ(inCalibration(probeDeviation(c.p)), c.calibrated) << c.p;
    }
}

TEST(MeterFormulas, ReadingTexts) {
    EXPECT_EQ(axisReadingText('X', 57120), "X = 28.0");
    EXPECT_EQ(axisReadingText('Y', 56610), "Y = 27.8");  // 27.75 rounds up
    EXPECT_EQ(axisReadingText('X', 56609), "X = 27.7");
    EXPECT_EQ(axisReadingText('X', 0), "X = 00.0");
    EXPECT_EQ(axisReadingText('X', 65535), "X = 32.1");
}

TEST(MeterFormulas, TheDropStartsBelowDeviationMinusSeven) {
    EXPECT_FALSE(dropOnProbe(53550));
    EXPECT_TRUE(dropOnProbe(53549));
    EXPECT_TRUE(dropOnProbe(0));
}

TEST(MeterFormulas, TheLevelWhileWaitingStopsAtTwentyFive) {
    EXPECT_EQ(waitingLevelText(20400), "10.0");
    EXPECT_EQ(waitingLevelText(51000), "25.0");
    EXPECT_EQ(waitingLevelText(51008), "25.0");  // 25.004: its text is no higher
    EXPECT_EQ(waitingLevelText(51102), "25");    // 25.05 is written 25.1
    EXPECT_EQ(waitingLevelText(57120), "25");
}

TEST(MeterFormulas, LevelTexts) {
    EXPECT_EQ(levelText00("10"), "10.0");
    EXPECT_EQ(levelText00("9.80392156862745"), "09.8");
    EXPECT_EQ(levelText00("+25"), "25.0");
    EXPECT_EQ(levelText00(""), "");
    EXPECT_EQ(levelText00("high"), "high");
}

TEST(MeterFormulas, ThermometerTop) {
    EXPECT_NEAR(thermometerTop("10", 0), 1533.33, 0.01);
    EXPECT_EQ(thermometerTop("10", 0), thermometerTop("180", 1));
    EXPECT_NEAR(thermometerTop("25", 0), 533.33, 0.01);
    for (const char* none : {"0", "", "abc"}) EXPECT_EQ(thermometerTop(none, 0), 2200.0F) << none;
}

} // namespace
} // namespace dx
