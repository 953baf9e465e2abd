#pragma once

// The figures a doctor asks for, over a range of tests, computed in the unit
// on show (levels are stored in the user's unit and never converted there).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "report/report_tests.h"

namespace dx::report {

// The consensus time-in-range bands, lowest first: below 3.0 (54), 3.0-3.9
// (54-70), 3.9-10.0 (70-180), 10.0-13.9 (180-250), above 13.9 (250) mmol/L
// (mg/dl). The in-range band holds both its limits.
enum class RangeBand { VeryLow, Low, InRange, High, VeryHigh };
inline constexpr int kRangeBands = 5;
RangeBand rangeBandOf(double level, int16_t unite);

struct HourProfile {
    int count = 0;
    double median = 0, p25 = 0, p75 = 0;  // meaningful when count > 0
};

struct Statistics {
    int count = 0;
    int days = 0;               // distinct days holding a test
    double mean = 0;            // 0 when count is 0
    std::optional<double> sd;   // sample standard deviation; from 2 tests
    std::optional<double> cv;   // sd / mean, in percent
    std::optional<double> gmi;  // percent; from 14 days of data
    // The program's own bands: optimal, suboptimal, compromise, and below
    // the optimal band; counts and percentages of count.
    std::array<int, 4> programCounts{};
    std::array<double, 4> programPercent{};
    std::array<int, kRangeBands> rangeCounts{};
    std::array<double, kRangeBands> rangePercent{};
    std::array<HourProfile, 24> profile{};
};

inline constexpr int kGmiMinimumDays = 14;

// Percentile p (0 to 1) with linear interpolation between the closest ranks
// (the common "type 7"); sorted must not be empty.
double percentile(std::span<const double> sorted, double p);

// GMI % = 3.31 + 0.02392 x mean in mg/dl.
double gmiPercent(double mean, int16_t unite);
Statistics computeStatistics(const std::vector<Test>& tests, int16_t unite);

}  // namespace dx::report
