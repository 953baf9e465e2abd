#pragma once

// The one-page glucose profile a clinic reads: the modal day (every reading
// of the range laid over one 24-hour day, as percentile bands per time
// slot), the five consensus ranges against their goals, the headline figures
// and the last days one by one. Computed in the unit on show.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "report/report_tests.h"
#include "report/statistics.h"

namespace dx::report {

// The day is cut into slots of half an hour. A slot's percentiles come from
// the readings of the slot and of its two neighbours (an hour and a half
// around it, across midnight), and only when at least kMinSlotReadings fall
// there; each percentile line is then smoothed across neighbouring slots.
inline constexpr int kSlotMinutes = 30;
inline constexpr int kSlots = 24 * 60 / kSlotMinutes;
inline constexpr int kMinSlotReadings = 5;
// The daily profiles show the last days of the range, oldest first.
inline constexpr int kDailyProfileDays = 14;
// The range a report covers unless told otherwise: the journal's last days.
inline constexpr int kDefaultProfileDays = 14;

struct SlotBands {
    int count = 0;  // readings pooled for the slot
    bool enough = false;
    double p5 = 0, p25 = 0, p50 = 0, p75 = 0, p95 = 0;  // meaningful when enough
};
using ModalDay = std::array<SlotBands, kSlots>;

// Percentiles of the readings pooled for each slot, before smoothing.
ModalDay slotPercentiles(const std::vector<Test>& tests);
// Each value with its neighbours weighted 1-2-1, the line wrapping round
// midnight; a missing neighbour leaves its weight out. Missing values stay
// missing.
std::vector<std::optional<double>> smoothAcross(const std::vector<std::optional<double>>& line);
// The five percentile lines of the slots smoothed, each on its own.
ModalDay smoothModalDay(const ModalDay& raw);

// A stretch of the day, in minutes from midnight, from `from` up to `to`.
struct MinuteSpan {
    int from = 0, to = 0;
    bool operator==(const MinuteSpan&) const = default;
};
// The stretches of consecutive slots without enough readings.
std::vector<MinuteSpan> sparseSpans(const ModalDay& day);

struct DayReading {
    int minute = 0;
    double value = 0;
};
struct DailyProfile {
    int64_t day = 0;
    std::vector<DayReading> readings;  // by time of day
};

struct GlucoseProfile {
    DayRange range;
    int daysInRange = 0;
    Statistics stats;           // count, mean, CV, GMI, days with data, the five ranges
    double readingsPerDay = 0;  // per day holding a reading
    ModalDay modalDay;          // smoothed
    std::vector<MinuteSpan> sparse;
    std::vector<DailyProfile> daily;  // the last kDailyProfileDays of the range
};

// tests: the readings of the range, in any order.
GlucoseProfile glucoseProfile(const std::vector<Test>& tests, DayRange range, int16_t unite);

// The last `days` days of the journal, ending on its newest test's day;
// {0, -1} when no test has a date.
DayRange lastDaysOf(const std::vector<Test>& tests, int days);

// The consensus target band, 3.9-10.0 mmol/L or 70-180 mg/dl: {low, high}.
std::pair<double, double> targetOf(int16_t unite);

// The five consensus ranges, highest first, each with its share, the goal
// clinics set for it and whether the share meets it. The goals of "high" and
// "low" count the range beyond them too (above 10.0, below 3.9).
struct RangeGoalRow {
    RangeBand band = RangeBand::InRange;
    std::string label;   // "High (10.1-13.9)"
    double percent = 0;  // the band's own share
    std::string share;   // "19 %", or "19 % (22 % above 10.0)"
    std::string goal;    // "goal < 25 %"
    bool met = false;
};
std::vector<RangeGoalRow> rangeGoalRows(const Statistics& stats, int16_t unite, int16_t langue);

}  // namespace dx::report
