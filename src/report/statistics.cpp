#include "report/statistics.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "settings/units.h"

namespace dx::report {

namespace {

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

HourProfile profileOf(std::span<double> levels) {
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
        case Band::Optimal:
            return 0;
        case Band::Suboptimal:
            return 1;
        case Band::Compromise:
            return 2;
        case Band::None:
            break;
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

// Tests come newest first, so their days usually need no sort to be told apart.
int distinctDays(std::vector<int64_t>& days) {
    if (!std::is_sorted(days.rbegin(), days.rend())) std::sort(days.begin(), days.end());
    return static_cast<int>(std::unique(days.begin(), days.end()) - days.begin());
}

bool hasHour(const Test& t) { return t.minute >= 0 && t.minute < 24 * 60; }

// The levels of each hour side by side in one buffer (hourCounts[h + 1]
// holds hour h's count), each hour's run then sorted for its percentiles.
std::array<HourProfile, 24> hourlyProfile(const std::vector<Test>& tests,
                                          std::array<size_t, 25> hourCounts) {
    for (size_t h = 1; h < hourCounts.size(); ++h) hourCounts[h] += hourCounts[h - 1];
    std::vector<double> byHour(hourCounts.back());
    std::array<size_t, 25> next = hourCounts;
    for (const Test& t : tests)
        if (hasHour(t)) byHour[next[static_cast<size_t>(t.minute / 60)]++] = t.value;
    std::array<HourProfile, 24> profile{};
    for (size_t h = 0; h < profile.size(); ++h)
        profile[h] =
            profileOf(std::span(byHour).subspan(hourCounts[h], hourCounts[h + 1] - hourCounts[h]));
    return profile;
}

}  // namespace

double percentile(std::span<const double> sorted, double p) {
    const double h = (static_cast<double>(sorted.size()) - 1) * p;
    const auto below = static_cast<size_t>(std::floor(h));
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

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
    std::vector<int64_t> days;
    days.reserve(tests.size());
    std::array<size_t, 25> hourCounts{};  // hour h counted at h + 1
    double sum = 0;
    for (const Test& t : tests) {
        sum += t.value;
        if (t.day != kNoDay) days.push_back(t.day);
        ++s.programCounts[programIndex(bands.of(t.value))];
        ++s.rangeCounts[static_cast<size_t>(rangeBandOf(t.value, unite))];
        if (hasHour(t)) ++hourCounts[static_cast<size_t>(t.minute / 60) + 1];
    }
    s.days = distinctDays(days);
    s.profile = hourlyProfile(tests, hourCounts);
    s.mean = sum / s.count;
    addSpread(s, tests);
    if (s.days >= kGmiMinimumDays) s.gmi = gmiPercent(s.mean, unite);
    s.programPercent = percentages(s.programCounts, s.count);
    s.rangePercent = percentages(s.rangeCounts, s.count);
    return s;
}

}  // namespace dx::report
