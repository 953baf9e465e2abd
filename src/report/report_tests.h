#pragma once

// The tests as the report module reads them: the journal's four texts with
// what they mean (day, minute, level number), taken once from the window's
// journal or from a journal file's records.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/datetext.h"
#include "journal/journal.h"
#include "journal/journal_codec.h"

namespace dx::report {

inline constexpr int64_t kNoDay = Journal::kNoDay;
// mg/dl in one mmol/L, as the program converts.
inline constexpr double kMgPerMmol = 18.0;

struct Test {
    std::string date, time, level, note;  // as the journal holds them
    int64_t day = kNoDay;                 // the date's day number (DateTime::day())
    int minute = -1;                      // minute of the day, -1 when the time is no time
    double value = 0;                     // the level's leading number, in the journal's unit
};

// Tests 1..Nb_Tests, newest first.
std::vector<Test> testsOf(const Journal& journal, std::string_view datePattern);
// Records as a journal file gives them (newest first).
std::vector<Test> testsOf(const std::vector<JournalRecord>& records, std::string_view datePattern);

// Inclusive range of day numbers.
struct DayRange {
    int64_t first = 0, last = 0;
    bool contains(int64_t day) const { return day >= first && day <= last; }
};
// The range covered by the tests (oldest to newest day); {0, -1} when none has a date.
DayRange spanOf(const std::vector<Test>& tests);
// The tests whose day lies in range, order kept.
std::vector<Test> testsIn(const std::vector<Test>& tests, DayRange range);

}  // namespace dx::report
