#include "report/statistics.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "settings/units.h"

namespace dx::report {

namespace {

constexpr double kMgPerMmol = 18.0;

// The upper limits of the four lowest bands in mmol/L: below the first is
// very low, below the second low, up to the third (inclusive) in range, up
// to the fourth (inclusive) high.
struct RangeLimits {
    double lowFrom, inRangeFrom, highAbove, veryHighAbove;
};

RangeLimits rangeLimits(int16_t unite) {
    if (isMgDl(unite)) return {54, 70, 180, 250};
    return {3.0, 3.9, 10.0, 13.9};
}

// Percentile with linear interpolation between the closest ranks (the
// common "type 7"); sorted must not be empty.
double percentile(const std::vector<double>& sorted, double p) {
    const double h = (static_cast<double>(sorted.size()) - 1) * p;
    const auto below = static_cast<size_t>(std::floor(h));
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

HourProfile profileOf(std::vector<double>& levels) {
    HourProfile p;
    p.count = static_cast<int>(levels.size());
    if (levels.empty()) return p;
    std::sort(levels.begin(), levels.end());
    p.median = percentile(levels, 0.5);
    p.p25 = percentile(levels, 0.25);
    p.p75 = percentile(levels, 0.75);
    return p;
}

size_t programIndex(Band band) {
    switch (band) {
    case Band::Optimal: return 0;
    case Band::Suboptimal: return 1;
    case Band::Compromise: return 2;
    case Band::None: break;
    }
    return 3;
}

template <size_t N>
std::array<double, N> percentages(const std::array<int, N>& counts, int total) {
    std::array<double, N> out{};
    if (total == 0) return out;
    for (size_t i = 0; i < N; ++i) out[i] = 100.0 * counts[i] / total;
    return out;
}

void addSpread(Statistics& s, const std::vector<Test>& tests) {
    if (s.count < 2) return;
    double squares = 0;
    for (const Test& t : tests) squares += (t.value - s.mean) * (t.value - s.mean);
    s.sd = std::sqrt(squares / (s.count - 1));
    if (s.mean != 0) s.cv = *s.sd / s.mean * 100;
}

} // namespace

RangeBand rangeBandOf(double level, int16_t unite) {
    const RangeLimits l = rangeLimits(unite);
    if (level < l.lowFrom) return RangeBand::VeryLow;
    if (level < l.inRangeFrom) return RangeBand::Low;
    if (level <= l.highAbove) return RangeBand::InRange;
    if (level <= l.veryHighAbove) return RangeBand::High;
    return RangeBand::VeryHigh;
}

double gmiPercent(double mean, int16_t unite) {
    const double mgDl = isMgDl(unite) ? mean : mean * kMgPerMmol;
    return 3.31 + 0.02392 * mgDl;
}

Statistics computeStatistics(const std::vector<Test>& tests, int16_t unite) {
    Statistics s;
    s.count = static_cast<int>(tests.size());
    if (tests.empty()) return s;

    const BandLimits bands = bandLimits(unite);
    std::unordered_set<int64_t> days;
    std::array<std::vector<double>, 24> byHour;
    double sum = 0;
    for (const Test& t : tests) {
        sum += t.value;
        if (t.day != kNoDay) days.insert(t.day);
        ++s.programCounts[programIndex(bands.of(t.value))];
        ++s.rangeCounts[static_cast<size_t>(rangeBandOf(t.value, unite))];
        if (t.minute >= 0 && t.minute < 24 * 60)
            byHour[static_cast<size_t>(t.minute / 60)].push_back(t.value);
    }
    s.days = static_cast<int>(days.size());
    s.mean = sum / s.count;
    addSpread(s, tests);
    if (s.days >= kGmiMinimumDays) s.gmi = gmiPercent(s.mean, unite);
    s.programPercent = percentages(s.programCounts, s.count);
    s.rangePercent = percentages(s.rangeCounts, s.count);
    for (size_t h = 0; h < byHour.size(); ++h) s.profile[h] = profileOf(byHour[h]);
    return s;
}

} // namespace dx::report
