#pragma once

// What the doctor's report says, page layout aside: the glucose profile of
// its first page, the figures as labelled rows, the time-of-day profile and,
// when asked for, the list of tests, every text in the language asked for.
// The desktop paints it (PDF or printer); the command line prints its
// figures.

#include <cstdint>
#include <string>
#include <vector>

#include "report/glucose_profile.h"
#include "report/report_tests.h"
#include "report/statistics.h"

namespace dx::report {

struct Figure {
    std::string label, value;  // "Mean", "7.2 mmol/L"
};

// What the person asks of the report besides its range.
struct ReportOptions {
    std::string name;             // printed in the header; "" for none
    bool withList = false;        // the list of every test as an appendix
    int64_t createdDay = kNoDay;  // the day the report is made
};

// The first page: the glucose profile with its texts.
struct ProfilePage {
    std::string title;        // "Glucose profile"
    std::string nameLine;     // "Name: ..." or ""
    std::string periodLine;   // "From ... to ... (14 days)"
    std::string createdLine;  // "Created ..." or ""
    GlucoseProfile profile;
    std::vector<Figure> figures;           // mean, GMI, CV with its goal, readings per day, days
    std::vector<RangeGoalRow> ranges;      // highest first
    std::string sparseNote;                // where too few readings fall; "" when nowhere
    std::vector<std::string> dailyLabels;  // one per daily profile
    double targetLow = 0, targetHigh = 0;  // the target band in the unit
};

struct ReportContent {
    int16_t unite = 0, langue = 0;
    std::string title;       // "Glucose report" / "Rapport glycémique"
    std::string periodText;  // "From 2026-11-01 to 2026-11-30"
    std::string unitName;    // "mmol/L"
    DayRange range;
    Statistics stats;
    std::vector<Figure> figures;                      // count, mean, SD, CV, GMI (estimate), bands
    std::vector<std::string> rangeLabels;             // the five consensus bands, lowest first
    std::vector<std::string> tableHeader;             // date, time, level, note
    std::vector<std::vector<std::string>> tableRows;  // newest first; with the list only
    ProfilePage page;
    bool withList = false;
};

// The figures of a statistics, labelled and formatted in the unit and
// language; the same rows the dialog, the PDF and the command line show.
std::vector<Figure> figuresOf(const Statistics& stats, int16_t unite, int16_t langue);
// One hour of the time-of-day profile as text: "08:00", and for an hour
// holding tests their median and 25th and 75th percentiles in the unit
// ("" for an hour without any).
struct ProfileRow {
    std::string hour;
    int count = 0;
    std::string median{}, p25{}, p75{};
};
// The 24 hours of the profile, from 00:00; the same rows the dialog and the
// command line show.
std::vector<ProfileRow> profileRows(const Statistics& stats, int16_t unite);

// tests: all tests (newest first); the report keeps those in range.
ReportContent reportContent(const std::vector<Test>& tests, DayRange range, int16_t unite,
                            int16_t langue, std::string_view datePattern,
                            const ReportOptions& options = {});

// "hh:mm-hh:mm, ..." for the stretches of the day.
std::string spansText(const std::vector<MinuteSpan>& spans);

}  // namespace dx::report
