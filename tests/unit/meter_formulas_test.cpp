// The meter's arithmetic at the edges the window relies on.

#include <gtest/gtest.h>

#include "meter/meter_formulas.h"

namespace dx {
namespace {

// The calibration panel's readings and deviations are checked through the
// window (CalibrationCheck); here, the rest of the arithmetic.
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
