#include "report/glucose_profile.h"

#include <algorithm>

#include "report/profile_texts.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx::report {

namespace P = profile_texts;
namespace T = report_texts;

namespace {

size_t wrapSlot(int slot) { return static_cast<size_t>((slot + kSlots) % kSlots); }

std::array<std::vector<double>, kSlots> readingsBySlot(const std::vector<Test>& tests) {
    std::array<std::vector<double>, kSlots> slots;
    for (const Test& t : tests)
        if (t.minute >= 0 && t.minute < 24 * 60)
            slots[static_cast<size_t>(t.minute / kSlotMinutes)].push_back(t.value);
    return slots;
}

SlotBands bandsOf(std::vector<double>& pool) {
    SlotBands b;
    b.count = static_cast<int>(pool.size());
    b.enough = b.count >= kMinSlotReadings;
    if (!b.enough) return b;
    std::sort(pool.begin(), pool.end());
    b.p5 = percentile(pool, 0.05);
    b.p25 = percentile(pool, 0.25);
    b.p50 = percentile(pool, 0.50);
    b.p75 = percentile(pool, 0.75);
    b.p95 = percentile(pool, 0.95);
    return b;
}

// The members of SlotBands that are percentile lines, in band order.
constexpr double SlotBands::*kLines[] = {&SlotBands::p5, &SlotBands::p25, &SlotBands::p50,
                                         &SlotBands::p75, &SlotBands::p95};

std::string percentText(double percent) { return formatNumber(percent, "0.0") + " %"; }

}  // namespace

ModalDay slotPercentiles(const std::vector<Test>& tests) {
    const auto bySlot = readingsBySlot(tests);
    ModalDay day{};
    std::vector<double> pool;
    for (int s = 0; s < kSlots; ++s) {
        pool.clear();
        for (int n = s - 1; n <= s + 1; ++n) {
            const auto& readings = bySlot[wrapSlot(n)];
            pool.insert(pool.end(), readings.begin(), readings.end());
        }
        day[static_cast<size_t>(s)] = bandsOf(pool);
    }
    return day;
}

std::vector<std::optional<double>> smoothAcross(const std::vector<std::optional<double>>& line) {
    const auto n = static_cast<int>(line.size());
    if (n < 3) return line;
    std::vector<std::optional<double>> out(line.size());
    for (int i = 0; i < n; ++i) {
        const auto& self = line[static_cast<size_t>(i)];
        if (!self) continue;
        double sum = 2 * *self, weight = 2;
        for (const int j : {(i + n - 1) % n, (i + 1) % n}) {
            const auto& neighbour = line[static_cast<size_t>(j)];
            if (!neighbour) continue;
            sum += *neighbour;
            weight += 1;
        }
        out[static_cast<size_t>(i)] = sum / weight;
    }
    return out;
}

ModalDay smoothModalDay(const ModalDay& raw) {
    ModalDay out = raw;
    for (const auto member : kLines) {
        std::vector<std::optional<double>> line;
        for (const SlotBands& b : raw)
            line.push_back(b.enough ? std::optional(b.*member) : std::nullopt);
        const auto smoothed = smoothAcross(line);
        for (size_t s = 0; s < out.size(); ++s)
            if (smoothed[s]) out[s].*member = *smoothed[s];
    }
    return out;
}

std::vector<MinuteSpan> sparseSpans(const ModalDay& day) {
    std::vector<MinuteSpan> spans;
    for (int s = 0; s < kSlots; ++s) {
        if (day[static_cast<size_t>(s)].enough) continue;
        const int from = s * kSlotMinutes;
        if (!spans.empty() && spans.back().to == from)
            spans.back().to += kSlotMinutes;
        else
            spans.push_back({from, from + kSlotMinutes});
    }
    return spans;
}

std::pair<double, double> targetOf(int16_t unite) {
    return isMgDl(unite) ? std::pair(70.0, 180.0) : std::pair(3.9, 10.0);
}

DayRange lastDaysOf(const std::vector<Test>& tests, int days) {
    const DayRange span = spanOf(tests);
    if (span.first > span.last) return span;
    return {span.last - std::max(days, 1) + 1, span.last};
}

GlucoseProfile glucoseProfile(const std::vector<Test>& tests, DayRange range, int16_t unite) {
    GlucoseProfile g;
    g.range = range;
    g.daysInRange = static_cast<int>(std::max<int64_t>(0, range.last - range.first + 1));
    g.stats = computeStatistics(tests, unite);
    if (g.stats.days > 0) g.readingsPerDay = static_cast<double>(g.stats.count) / g.stats.days;
    g.modalDay = smoothModalDay(slotPercentiles(tests));
    g.sparse = sparseSpans(g.modalDay);
    if (g.daysInRange == 0) return g;
    const int64_t firstDaily = std::max(range.first, range.last - kDailyProfileDays + 1);
    for (int64_t d = firstDaily; d <= range.last; ++d) g.daily.push_back({d, {}});
    for (const Test& t : tests)
        if (t.day >= firstDaily && t.day <= range.last && t.minute >= 0)
            g.daily[static_cast<size_t>(t.day - firstDaily)].readings.push_back(
                {t.minute, t.value});
    for (DailyProfile& d : g.daily)
        std::sort(d.readings.begin(), d.readings.end(),
                  [](const DayReading& a, const DayReading& b) { return a.minute < b.minute; });
    return g;
}

std::vector<RangeGoalRow> rangeGoalRows(const Statistics& stats, int16_t unite, int16_t l) {
    const auto& p = stats.rangePercent;
    const auto& limits = isMgDl(unite) ? T::kBandLimitsMg : T::kBandLimitsMmol;
    const std::string above = isMgDl(unite) ? "180" : "10.0";
    const std::string below = isMgDl(unite) ? "70" : "3.9";
    const double aboveShare = p[3] + p[4], belowShare = p[0] + p[1];
    struct Goal {
        RangeBand band;
        const Bilingual* name;
        std::string beyond;  // the share counted with the range beyond, "" for none
        const char* goal;
        bool met;
    };
    const Goal goals[] = {
        {RangeBand::VeryHigh, &T::kBandVeryHigh, "", "< 5 %", p[4] < 5},
        {RangeBand::High, &T::kBandHigh, percentText(aboveShare) + pick(P::kAbove, l) + above,
         "< 25 %", aboveShare < 25},
        {RangeBand::InRange, &T::kBandInRange, "", "> 70 %", p[2] > 70},
        {RangeBand::Low, &T::kBandLow, percentText(belowShare) + pick(P::kBelow, l) + below,
         "< 4 %", belowShare < 4},
        {RangeBand::VeryLow, &T::kBandVeryLow, "", "< 1 %", p[0] < 1},
    };
    std::vector<RangeGoalRow> rows;
    for (const Goal& g : goals) {
        const auto at = static_cast<size_t>(g.band);
        RangeGoalRow row{.band = g.band,
                         .label = std::string(pick(*g.name, l)) + " (" + limits[at] + ")",
                         .percent = p[at],
                         .share = percentText(p[at]),
                         .goal = pick(P::kGoal, l) + std::string(g.goal),
                         .met = g.met};
        if (!g.beyond.empty()) row.share += " (" + g.beyond + ")";
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace dx::report
