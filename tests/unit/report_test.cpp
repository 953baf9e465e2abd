// The report module on its own: the figures and the export formats (the
// import is in import_test.cpp).

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/datetime.h"
#include "platform/posix/local_time.h"
#include "report/doctor_report.h"
#include "report/exchange.h"
#include "report/report_texts.h"
#include "report/statistics.h"

namespace dx::report {
namespace {

namespace T = report_texts;
using Reading = dx::report::Test;

int64_t dayOf(int y, int m, int d) { return DateTime::fromParts(y, m, d).day(); }

Reading test(int64_t day, int minute, double value, std::string note = "") {
    Reading t;
    t.day = day;
    t.minute = minute;
    t.value = value;
    t.note = std::move(note);
    return t;
}

// ---- Statistics.

TEST(ReportStatistics, MeanSampleSdAndCv) {
    const int64_t d = dayOf(2026, 11, 1);
    const Statistics s = computeStatistics({test(d, 480, 4), test(d, 600, 6), test(d, 720, 8)}, 0);
    EXPECT_EQ(s.count, 3);
    EXPECT_EQ(s.days, 1);
    EXPECT_DOUBLE_EQ(s.mean, 6);
    ASSERT_TRUE(s.sd && s.cv);
    EXPECT_DOUBLE_EQ(*s.sd, 2);  // sqrt((4 + 0 + 4) / 2)
    EXPECT_NEAR(*s.cv, 100.0 / 3, 1e-9);
    EXPECT_FALSE(s.gmi);
}

TEST(ReportStatistics, EmptyAndSingleTest) {
    const Statistics none = computeStatistics({}, 0);
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.mean, 0);
    EXPECT_FALSE(none.sd || none.cv || none.gmi);
    EXPECT_EQ(none.rangePercent[2], 0);

    const Statistics one = computeStatistics({test(dayOf(2026, 11, 1), 480, 5.5)}, 0);
    EXPECT_EQ(one.count, 1);
    EXPECT_DOUBLE_EQ(one.mean, 5.5);
    EXPECT_FALSE(one.sd || one.cv);
    EXPECT_DOUBLE_EQ(one.rangePercent[2], 100);
    EXPECT_EQ(one.profile[8].count, 1);
    EXPECT_DOUBLE_EQ(one.profile[8].median, 5.5);
}

TEST(ReportStatistics, GmiOnlyFromFourteenDistinctDays) {
    std::vector<Reading> thirteenDays;
    for (int d = 1; d <= 13; ++d) thirteenDays.push_back(test(dayOf(2026, 11, d), 480, 7));
    thirteenDays.push_back(test(dayOf(2026, 11, 13), 600, 7));  // a 14th test, same day
    EXPECT_EQ(computeStatistics(thirteenDays, 0).days, 13);
    EXPECT_FALSE(computeStatistics(thirteenDays, 0).gmi);

    std::vector<Reading> fourteen = thirteenDays;
    fourteen.push_back(test(dayOf(2026, 11, 14), 480, 7));
    const Statistics s = computeStatistics(fourteen, 0);
    ASSERT_TRUE(s.gmi);
    EXPECT_NEAR(*s.gmi, 3.31 + 0.02392 * 126, 1e-9);  // 7 mmol/L = 126 mg/dl
    EXPECT_NEAR(gmiPercent(126, 1), *s.gmi, 1e-9);
}

TEST(ReportStatistics, ConsensusBandEdges) {
    using B = RangeBand;
    const struct {
        double level;
        int16_t unite;
        RangeBand band;
    } cases[] = {
        {2.9, 0, B::VeryLow},  {3.0, 0, B::Low},   {3.8, 0, B::Low},   {3.9, 0, B::InRange},
        {10.0, 0, B::InRange}, {10.1, 0, B::High}, {13.9, 0, B::High}, {14.0, 0, B::VeryHigh},
        {53, 1, B::VeryLow},   {54, 1, B::Low},    {69, 1, B::Low},    {70, 1, B::InRange},
        {180, 1, B::InRange},  {181, 1, B::High},  {250, 1, B::High},  {251, 1, B::VeryHigh},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rangeBandOf(c.level, c.unite), c.band) << c.level << " unit " << c.unite;
}

TEST(ReportStatistics, ProgramBandsAndShares) {
    const int64_t d = dayOf(2026, 11, 1);
    // mmol/L: below 4 none, from 4 optimal, from 7 suboptimal, from 10 compromise.
    const Statistics s =
        computeStatistics({test(d, 0, 3.9), test(d, 1, 4), test(d, 2, 7), test(d, 3, 10)}, 0);
    EXPECT_EQ(s.programCounts, (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_DOUBLE_EQ(s.programPercent[0], 25);
    // mg/dl: 72, 126, 180.
    const Statistics mg = computeStatistics(
        {test(d, 0, 71), test(d, 1, 72), test(d, 2, 125), test(d, 3, 180), test(d, 4, 251)}, 1);
    EXPECT_EQ(mg.programCounts, (std::array<int, 4>{2, 0, 2, 1}));
    EXPECT_EQ(mg.rangeCounts, (std::array<int, 5>{0, 0, 4, 0, 1}));
    EXPECT_DOUBLE_EQ(mg.rangePercent[2], 80);
    EXPECT_DOUBLE_EQ(mg.mean, (71 + 72 + 125 + 180 + 251) / 5.0);
}

TEST(ReportStatistics, HourlyProfileIsType7) {
    const int64_t d = dayOf(2026, 11, 1);
    // Hour 8: 1 2 3 4 (given out of order); hour 23: 10 20; a test with no time counts
    // in the figures but not in the profile.
    const Statistics s = computeStatistics(
        {test(d, 8 * 60 + 59, 3), test(d, 8 * 60, 1), test(d + 1, 8 * 60 + 5, 4),
         test(d, 8 * 60 + 30, 2), test(d, 23 * 60 + 59, 20), test(d, 23 * 60, 10), test(d, -1, 7)},
        0);
    EXPECT_EQ(s.count, 7);
    EXPECT_EQ(s.days, 2);
    EXPECT_EQ(s.profile[8].count, 4);
    EXPECT_DOUBLE_EQ(s.profile[8].median, 2.5);
    EXPECT_DOUBLE_EQ(s.profile[8].p25, 1.75);
    EXPECT_DOUBLE_EQ(s.profile[8].p75, 3.25);
    EXPECT_DOUBLE_EQ(s.profile[23].median, 15);
    EXPECT_DOUBLE_EQ(s.profile[23].p25, 12.5);
    EXPECT_EQ(s.profile[9].count, 0);
}

TEST(ReportTests, JournalRecordsInADayFirstPattern) {
    const std::vector<JournalRecord> records = {{"08/01/2000", "12:30", "110", "b"},
                                                {"31/12/1999", "7:05", "95", "a"},
                                                {"no date", "later", "x", ""}};
    const std::vector<Reading> tests = testsOf(records, "dd/MM/yyyy");
    ASSERT_EQ(tests.size(), 3u);
    EXPECT_EQ(tests[0].day, dayOf(2000, 1, 8));
    EXPECT_EQ(tests[0].minute, 12 * 60 + 30);
    EXPECT_DOUBLE_EQ(tests[0].value, 110);
    EXPECT_EQ(tests[1].day, dayOf(1999, 12, 31));
    EXPECT_EQ(tests[2].day, kNoDay);
    EXPECT_EQ(tests[2].minute, -1);
    const DayRange span = spanOf(tests);
    EXPECT_EQ(span.first, dayOf(1999, 12, 31));
    EXPECT_EQ(span.last, dayOf(2000, 1, 8));
    EXPECT_EQ(testsIn(tests, {span.last, span.last}).size(), 1u);
    // Mixed days in mg/dl.
    const Statistics s = computeStatistics(tests, 1);
    EXPECT_EQ(s.days, 2);
    EXPECT_DOUBLE_EQ(s.mean, (110 + 95 + 0) / 3.0);
}

TEST(ReportFigures, LabelsAndMissingValues) {
    const Statistics one = computeStatistics({test(dayOf(2026, 11, 1), 480, 5.5)}, 0);
    const std::vector<Figure> en = figuresOf(one, 0, 0);
    ASSERT_GE(en.size(), 6u);
    EXPECT_EQ(en[0].value, "1");
    EXPECT_EQ(en[2].value, "5.5 mmol/L");
    EXPECT_EQ(en[3].value, T::kNotEnoughTests.en);
    EXPECT_EQ(en[5].label, "GMI (estimate)");
    EXPECT_EQ(en[5].value, T::kGmiNeedsDays.en);
    EXPECT_EQ(figuresOf(one, 0, 1)[5].label, "GMI (estimation)");
    EXPECT_EQ(en.size(), 6u + 4 + kRangeBands);
}

// ---- Export.

TEST(ReportExport, CsvOldestFirstBothUnitsQuoted) {
    const int64_t d = dayOf(2026, 11, 1);
    const std::string header = "date,time,mmol_l,mg_dl,note\r\n";
    EXPECT_EQ(
        exportCsv({test(d + 1, 7 * 60 + 5, 5.55, "a,\"b\"\nc"), test(d, 23 * 60 + 59, 10, "plain")},
                  0),
        header +
            "2026-11-01,23:59,10.0,180,plain\r\n"
            "2026-11-02,07:05,5.6,100,\"a,\"\"b\"\"\nc\"\r\n");
    EXPECT_EQ(exportCsv({test(d, 0, 100)}, 1), header + "2026-11-01,00:00,5.6,100,\r\n");
    EXPECT_EQ(exportCsv({}, 0), header);
    // A level the program writes as a number is left as it is.
    EXPECT_EQ(exportCsv({test(d, 0, -1)}, 0), header + "2026-11-01,00:00,-1.0,-18,\r\n");
    // The dates of a day-first journal.
    EXPECT_EQ(exportCsv(testsOf({{"07/01/2000", "08:00", "05.5", "x\ry"}}, "dd/MM/yyyy"), 0),
              header + "2000-01-07,08:00,5.5,99,\"x\ry\"\r\n");
}

// A cell a spreadsheet would run gets a "'" in its quotes; taking it off
// gives back every text, even one that starts with "'" itself.
TEST(ReportExport, CsvCellsNeverRunAsFormulas) {
    const struct {
        bool guarded;
        std::vector<std::string> notes;
    } cases[] = {
        {true, {"=1+2", "+33 6", "-2 units", "@SUM(A1)", "\tx", "\rx", "'=x", "''@"}},
        {false, {"'quoted'", "a=b", "'", ""}},
    };
    for (const auto& c : cases)
        for (const std::string& note : c.notes) {
            const std::string csv = exportCsv({test(dayOf(2026, 11, 1), 0, 5, note)}, 0);
            const std::string field = c.guarded ? "\"'" + note + "\"" : note;
            EXPECT_EQ(csv.substr(csv.rfind(",") + 1), field + "\r\n") << note;
            EXPECT_EQ(withoutFormulaGuard(withFormulaGuard(note)), note);
        }
}

TEST(ReportExport, NightscoutJsonInMgDlAndUtc) {
    std::vector<int64_t> asked;
    auto offset = [&](int64_t local) {
        asked.push_back(local);
        return 3600;
    };
    // 2000-01-07 08:00 local is 947232000 as if UTC; one hour ahead of UTC.
    const std::string json =
        exportNightscoutJson({test(dayOf(2000, 1, 7), 8 * 60, 5.5), test(kNoDay, 0, 6)}, 0, offset);
    EXPECT_EQ(json,
              "[\n{\"type\":\"mbg\",\"mbg\":99,\"date\":947228400000,"
              "\"dateString\":\"2000-01-07T08:00:00+01:00\",\"device\":\"dextrel\"}\n]\n");
    EXPECT_EQ(asked, (std::vector<int64_t>{947232000}));

    const std::string west = exportNightscoutJson({test(dayOf(2000, 1, 7), 0, 100)}, 1,
                                                  [](int64_t) { return -(5 * 3600 + 30 * 60); });
    EXPECT_NE(west.find("\"mbg\":100,\"date\":947223000000,"), std::string::npos) << west;
    EXPECT_NE(west.find("2000-01-07T00:00:00-05:30"), std::string::npos) << west;
    EXPECT_EQ(exportNightscoutJson({}, 0, nullptr), "[\n]\n");
}

// The system's offset follows its time zone's summer time; a POSIX rule
// string needs no zone files.
TEST(ReportExport, SystemOffsetFollowsSummerTime) {
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    auto localSeconds = [](int y, int m, int d, int hour) {
        return dayOf(y, m, d) * 86400 + hour * 3600;
    };
    EXPECT_EQ(systemUtcOffset(localSeconds(2026, 1, 15, 12)), 3600);
    EXPECT_EQ(systemUtcOffset(localSeconds(2026, 7, 15, 12)), 7200);
    setenv("TZ", "UTC0", 1);
    tzset();
    EXPECT_EQ(systemUtcOffset(localSeconds(2026, 7, 15, 12)), 0);
    if (saved)
        setenv("TZ", before.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

}  // namespace
}  // namespace dx::report
