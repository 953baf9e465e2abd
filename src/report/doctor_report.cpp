#include "report/doctor_report.h"

#include <tuple>

#include "journal/datetext.h"
#include "platform/datetime.h"
#include "platform/text.h"
#include "report/profile_texts.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx::report {

namespace T = report_texts;
namespace P = profile_texts;

namespace {

// mmol/L with one decimal, mg/dl whole, as the chart's labels show them.
std::string levelNumber(double value, int16_t unite) {
    return formatNumber(value, isMgDl(unite) ? "0" : "0.0");
}

std::string levelText(double value, int16_t unite) {
    return levelNumber(value, unite) + " " + unitName(unite);
}

std::string percentText(double percent) { return formatNumber(percent, "0.0") + " %"; }

std::string shareText(double percent, int count) {
    return percentText(percent) + " (" + std::to_string(count) + ")";
}

std::string optionalText(const std::optional<double>& value, const std::string& shown,
                         const Bilingual& missing, int16_t langue) {
    return value ? shown : pick(missing, langue);
}

const Bilingual* const kProgramBands[] = {&T::kProgramOptimal, &T::kProgramSuboptimal,
                                          &T::kProgramCompromise, &T::kProgramBelow};
const Bilingual* const kRangeBandNames[] = {&T::kBandVeryLow, &T::kBandLow, &T::kBandInRange,
                                            &T::kBandHigh, &T::kBandVeryHigh};

std::vector<std::string> rangeLabelsOf(int16_t unite, int16_t langue) {
    const auto& limits = isMgDl(unite) ? T::kBandLimitsMg : T::kBandLimitsMmol;
    std::vector<std::string> labels;
    for (int b = 0; b < kRangeBands; ++b)
        labels.push_back(std::string(pick(*kRangeBandNames[b], langue)) + " (" + limits[b] + ")");
    return labels;
}

std::string periodTextOf(DayRange range, int16_t langue, std::string_view datePattern) {
    if (range.first > range.last) return pick(T::kNoTestInRange, langue);
    return pick(T::kFrom, langue) + formatShortDate(DateTime::fromDays(range.first), datePattern) +
           pick(T::kTo, langue) + formatShortDate(DateTime::fromDays(range.last), datePattern);
}

std::string clockText(int minute) {
    std::string text = "00:00";
    text[0] = static_cast<char>('0' + minute / 600);
    text[1] = static_cast<char>('0' + minute / 60 % 10);
    text[3] = static_cast<char>('0' + minute % 60 / 10);
    text[4] = static_cast<char>('0' + minute % 10);
    return text;
}

std::string daysText(int days, int16_t l) {
    return std::to_string(days) + pick(days == 1 ? P::kOneDay : P::kDaysSuffix, l);
}

std::vector<Figure> profileFigures(const GlucoseProfile& g, int16_t unite, int16_t l) {
    const Statistics& s = g.stats;
    const std::string cv = s.cv ? percentText(*s.cv) + " (" + pick(P::kCvGoal, l) + ")"
                                : std::string(pick(T::kNotEnoughTests, l));
    return {
        {pick(T::kMean, l), s.count > 0 ? levelText(s.mean, unite) : pick(T::kNotEnoughTests, l)},
        {pick(T::kGmi, l),
         optionalText(s.gmi, percentText(s.gmi.value_or(0)), T::kGmiNeedsDays, l)},
        {pick(T::kCv, l), cv},
        {pick(P::kReadingsPerDay, l), formatNumber(g.readingsPerDay, "0.0")},
        {pick(P::kDaysWithData, l),
         std::to_string(s.days) + pick(P::kOf, l) + daysText(g.daysInRange, l)},
        {pick(T::kTests, l), std::to_string(s.count)},
    };
}

ProfilePage profilePage(const std::vector<Test>& kept, DayRange range, int16_t unite, int16_t l,
                        std::string_view datePattern, const ReportOptions& options) {
    ProfilePage page;
    page.title = pick(P::kTitle, l);
    if (!options.name.empty()) page.nameLine = pick(P::kName, l) + options.name;
    page.periodLine = periodTextOf(range, l, datePattern);
    if (range.first <= range.last)
        page.periodLine += " (" + daysText(static_cast<int>(range.last - range.first + 1), l) + ")";
    if (options.createdDay != kNoDay)
        page.createdLine = pick(P::kCreated, l) +
                           formatShortDate(DateTime::fromDays(options.createdDay), datePattern);
    page.profile = glucoseProfile(kept, range, unite);
    page.figures = profileFigures(page.profile, unite, l);
    page.ranges = rangeGoalRows(page.profile.stats, unite, l);
    if (!kept.empty() && !page.profile.sparse.empty())
        page.sparseNote = pick(P::kTooFew, l) + spansText(page.profile.sparse);
    for (const DailyProfile& d : page.profile.daily)
        page.dailyLabels.push_back(formatShortDate(DateTime::fromDays(d.day), datePattern));
    std::tie(page.targetLow, page.targetHigh) = targetOf(unite);
    return page;
}

}  // namespace

std::string spansText(const std::vector<MinuteSpan>& spans) {
    std::string text;
    for (const MinuteSpan& s : spans) {
        if (!text.empty()) text += ", ";
        text += clockText(s.from) + "-" + clockText(s.to);
    }
    return text;
}

std::vector<Figure> figuresOf(const Statistics& s, int16_t unite, int16_t l) {
    const bool any = s.count > 0;
    std::vector<Figure> rows = {
        {pick(T::kTests, l), std::to_string(s.count)},
        {pick(T::kDays, l), std::to_string(s.days)},
        {pick(T::kMean, l), any ? levelText(s.mean, unite) : pick(T::kNotEnoughTests, l)},
        {pick(T::kSd, l),
         optionalText(s.sd, levelText(s.sd.value_or(0), unite), T::kNotEnoughTests, l)},
        {pick(T::kCv, l), optionalText(s.cv, percentText(s.cv.value_or(0)), T::kNotEnoughTests, l)},
        {pick(T::kGmi, l),
         optionalText(s.gmi, percentText(s.gmi.value_or(0)), T::kGmiNeedsDays, l)},
    };
    for (size_t b = 0; b < s.programCounts.size(); ++b)
        rows.push_back(
            {pick(*kProgramBands[b], l), shareText(s.programPercent[b], s.programCounts[b])});
    const std::vector<std::string> labels = rangeLabelsOf(unite, l);
    for (size_t b = 0; b < labels.size(); ++b)
        rows.push_back({labels[b], shareText(s.rangePercent[b], s.rangeCounts[b])});
    return rows;
}

ReportContent reportContent(const std::vector<Test>& tests, DayRange range, int16_t unite,
                            int16_t langue, std::string_view datePattern,
                            const ReportOptions& options) {
    ReportContent c;
    c.unite = unite;
    c.langue = langue;
    c.title = pick(T::kReportTitle, langue);
    c.periodText = periodTextOf(range, langue, datePattern);
    c.unitName = unitName(unite);
    c.range = range;
    std::vector<Test> kept = testsIn(tests, range);
    c.page = profilePage(kept, range, unite, langue, datePattern, options);
    c.stats = c.page.profile.stats;
    c.figures = figuresOf(c.stats, unite, langue);
    c.rangeLabels = rangeLabelsOf(unite, langue);
    c.tableHeader = {pick(T::kDate, langue), pick(T::kTime, langue), pick(T::kLevel, langue),
                     pick(T::kNote, langue)};
    c.withList = options.withList;
    if (!c.withList) return c;
    c.tableRows.reserve(kept.size());
    for (Test& t : kept)
        c.tableRows.push_back(
            {std::move(t.date), std::move(t.time), std::move(t.level), std::move(t.note)});
    return c;
}

std::vector<ProfileRow> profileRows(const Statistics& stats, int16_t unite) {
    std::vector<ProfileRow> rows;
    for (size_t h = 0; h < stats.profile.size(); ++h) {
        const HourProfile& p = stats.profile[h];
        ProfileRow row{.hour = std::to_string(h) + ":00", .count = p.count};
        if (h < 10) row.hour.insert(row.hour.begin(), '0');
        if (p.count > 0) {
            row.median = levelNumber(p.median, unite);
            row.p25 = levelNumber(p.p25, unite);
            row.p75 = levelNumber(p.p75, unite);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace dx::report
