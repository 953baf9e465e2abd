// The glucose profile's maths against values worked out by hand: the
// percentiles, the pooling of neighbouring slots, the smoothing, the
// stretches with too few readings and the goals of the five ranges.

#include <gtest/gtest.h>

#include "platform/datetime.h"
#include "report/doctor_report.h"
#include "report/glucose_profile.h"

namespace dx::report {
namespace {

using Reading = dx::report::Test;

Reading at(int64_t day, int minute, double value) { return {"", "", "", "", day, minute, value}; }

const int64_t kDay = DateTime::fromParts(2026, 11, 1).day();

TEST(GlucoseProfile, PercentilesInterpolateBetweenClosestRanks) {
    const struct {
        std::vector<double> sorted;
        std::vector<std::pair<double, double>> pAndExpected;
    } cases[] = {
        {{1, 2, 3, 4, 5}, {{0.05, 1.2}, {0.25, 2}, {0.5, 3}, {0.95, 4.8}, {1.0, 5}}},
        {{1, 2, 3, 4}, {{0.25, 1.75}, {0.5, 2.5}, {0.75, 3.25}}},
        {{10, 20}, {{0.05, 10.5}, {0.95, 19.5}}},
        {{7}, {{0.05, 7}, {0.95, 7}}},
    };
    for (const auto& c : cases)
        for (const auto& [p, expected] : c.pAndExpected)
            EXPECT_NEAR(percentile(c.sorted, p), expected, 1e-12)
                << "p" << p << " of " << c.sorted.size() << " values";
}

TEST(GlucoseProfile, SlotsPoolTheirNeighboursAcrossMidnightAndNeedFiveReadings) {
    const std::vector<Reading> tests = {
        at(kDay, 8 * 60, 1),
        at(kDay + 1, 8 * 60 + 29, 2),  // slot 16
        at(kDay, 8 * 60 + 45, 3),      // slot 17
        at(kDay, 9 * 60 + 10, 5),
        at(kDay + 2, 9 * 60 + 5, 4),  // slot 18
        at(kDay, 23 * 60 + 50, 6),
        at(kDay + 1, 23 * 60 + 31, 6),
        at(kDay + 2, 23 * 60 + 59, 6),  // slot 47
        at(kDay, 0, 8),
        at(kDay + 1, 29, 8),  // slot 0
        at(kDay, -1, 100),    // no time: left out
    };
    const ModalDay day = slotPercentiles(tests);
    struct Case {
        int slot, count;
        bool enough;
        double p5, p25, p50, p75, p95;
    };
    const Case cases[] = {
        {15, 2, false, 0, 0, 0, 0, 0},    {16, 3, false, 0, 0, 0, 0, 0},
        {17, 5, true, 1.2, 2, 3, 4, 4.8}, {18, 3, false, 0, 0, 0, 0, 0},
        {47, 5, true, 6, 6, 6, 8, 8},     {0, 5, true, 6, 6, 6, 8, 8},
        {1, 2, false, 0, 0, 0, 0, 0},     {46, 3, false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const SlotBands& b = day[static_cast<size_t>(c.slot)];
        SCOPED_TRACE("slot " + std::to_string(c.slot));
        EXPECT_EQ(b.count, c.count);
        ASSERT_EQ(b.enough, c.enough);
        if (!c.enough) continue;
        const double got[] = {b.p5, b.p25, b.p50, b.p75, b.p95};
        const double want[] = {c.p5, c.p25, c.p50, c.p75, c.p95};
        for (int i = 0; i < 5; ++i) EXPECT_NEAR(got[i], want[i], 1e-12) << "band " << i;
    }
}

TEST(GlucoseProfile, SmoothingWeighsNeighboursOneTwoOneAndSkipsMissingOnes) {
    using Line = std::vector<std::optional<double>>;
    const std::optional<double> none;
    struct Case {
        const char* what;
        Line line, expected;
    };
    const Case cases[] = {
        {"wraps round", {1, 2, 3, 4}, {2, 2, 3, 3}},
        {"missing neighbours", {none, 4, 8, none, none}, {none, 16.0 / 3, 20.0 / 3, none, none}},
        {"alone", {5, none, none}, {5, none, none}},
        {"too short to have neighbours", {1, 9}, {1, 9}},
        {"flat stays flat", {6, 6, 6, 6, 6}, {6, 6, 6, 6, 6}},
    };
    for (const Case& c : cases) {
        const Line out = smoothAcross(c.line);
        ASSERT_EQ(out.size(), c.expected.size()) << c.what;
        for (size_t i = 0; i < out.size(); ++i) {
            ASSERT_EQ(out[i].has_value(), c.expected[i].has_value()) << c.what << " at " << i;
            if (!out[i]) continue;
            EXPECT_NEAR(*out[i], *c.expected[i], 1e-12) << c.what << " at " << i;
        }
    }
}

TEST(GlucoseProfile, TheModalDaySmoothsEachLineOnItsOwn) {
    ModalDay raw{};
    for (size_t s : {10u, 11u, 12u}) raw[s].enough = true;
    raw[10].p50 = 4, raw[11].p50 = 8, raw[12].p50 = 6;
    raw[10].p95 = 10, raw[11].p95 = 10, raw[12].p95 = 14;
    raw[20].p50 = 99;  // without enough readings: neither smoothed nor used
    const ModalDay out = smoothModalDay(raw);
    EXPECT_NEAR(out[10].p50, (8 + 8) / 3.0, 1e-12);
    EXPECT_NEAR(out[11].p50, (4 + 16 + 6) / 4.0, 1e-12);
    EXPECT_NEAR(out[12].p50, (8 + 12) / 3.0, 1e-12);
    EXPECT_NEAR(out[11].p95, 11, 1e-12);
    EXPECT_NEAR(out[12].p95, (10 + 28) / 3.0, 1e-12);
    EXPECT_FALSE(out[20].enough);
}

TEST(GlucoseProfile, StretchesWithTooFewReadingsAreMergedAndNamed) {
    ModalDay day{};
    for (size_t s : {16u, 17u, 40u}) day[s].enough = true;
    const std::vector<MinuteSpan> spans = sparseSpans(day);
    EXPECT_EQ(spans, (std::vector<MinuteSpan>{{0, 480}, {540, 1200}, {1230, 1440}}));
    EXPECT_EQ(spansText(spans), "00:00-08:00, 09:00-20:00, 20:30-24:00");

    for (SlotBands& b : day) b.enough = true;
    EXPECT_TRUE(sparseSpans(day).empty());
    EXPECT_EQ(sparseSpans(ModalDay{}), (std::vector<MinuteSpan>{{0, 1440}}));
}

TEST(GlucoseProfile, RangesAgainstTheirGoalsHighestFirst) {
    struct Case {
        std::array<double, kRangeBands> percent;  // lowest band first
        int16_t unite;
        std::array<bool, kRangeBands> met;  // highest band first
        std::array<std::string, 3> highShareLowShareVeryHighLabel;
    };
    const Case cases[] = {
        {{0.5, 3.0, 72, 20, 4.5},
         0,
         {true, true, true, true, true},
         {"20.0 % (24.5 % above 10.0)", "3.0 % (3.5 % below 3.9)", "Very high (> 13.9)"}},
        {{1, 3.5, 65, 25, 5.5},
         1,
         {false, false, false, false, false},
         {"25.0 % (30.5 % above 180)", "3.5 % (4.5 % below 70)", "Very high (> 250)"}},
        // The goals are strict: exactly on the limit does not meet them.
        {{0, 4, 70, 20, 5},
         0,
         {false, false, false, false, true},
         {"20.0 % (25.0 % above 10.0)", "4.0 % (4.0 % below 3.9)", "Very high (> 13.9)"}},
    };
    for (const Case& c : cases) {
        Statistics s;
        s.rangePercent = c.percent;
        const std::vector<RangeGoalRow> rows = rangeGoalRows(s, c.unite, 0);
        ASSERT_EQ(rows.size(), 5u);
        for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].met, c.met[i]) << "row " << i;
        EXPECT_EQ(rows[0].band, RangeBand::VeryHigh);
        EXPECT_EQ(rows[1].share, c.highShareLowShareVeryHighLabel[0]);
        EXPECT_EQ(rows[3].share, c.highShareLowShareVeryHighLabel[1]);
        EXPECT_EQ(rows[0].label, c.highShareLowShareVeryHighLabel[2]);
        EXPECT_EQ(rows[2].goal, "goal > 70 %");
        EXPECT_EQ(rows[4].goal, "goal < 1 %");
    }
    Statistics s;
    EXPECT_EQ(rangeGoalRows(s, 0, 1)[1].goal, "objectif < 25 %");
}

TEST(GlucoseProfile, DailyProfilesCoverTheLastDaysOfTheRangeInTimeOrder) {
    const std::vector<Reading> tests = {
        at(kDay + 19, 600, 9), at(kDay + 19, 420, 5), at(kDay + 10, 480, 7),
        at(kDay + 5, 480, 6),  at(kDay + 2, 480, 6),
    };
    const DayRange range = lastDaysOf(tests, 20);
    EXPECT_EQ(range.first, kDay);
    EXPECT_EQ(range.last, kDay + 19);
    const GlucoseProfile g = glucoseProfile(tests, range, 0);
    EXPECT_EQ(g.daysInRange, 20);
    EXPECT_EQ(g.stats.days, 4);
    EXPECT_DOUBLE_EQ(g.readingsPerDay, 5.0 / 4);
    ASSERT_EQ(g.daily.size(), static_cast<size_t>(kDailyProfileDays));
    EXPECT_EQ(g.daily.front().day, kDay + 6);
    EXPECT_EQ(g.daily.back().day, kDay + 19);
    ASSERT_EQ(g.daily.back().readings.size(), 2u);
    EXPECT_EQ(g.daily.back().readings[0].minute, 420);
    EXPECT_EQ(g.daily[4].readings.size(), 1u);  // kDay + 10
    EXPECT_TRUE(g.daily[0].readings.empty());

    const DayRange short_ = {kDay + 18, kDay + 19};
    EXPECT_EQ(glucoseProfile(tests, short_, 0).daily.size(), 2u);
    EXPECT_GT(lastDaysOf({}, 14).first, lastDaysOf({}, 14).last);
}

}  // namespace
}  // namespace dx::report
