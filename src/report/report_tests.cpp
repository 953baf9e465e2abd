#include "report/report_tests.h"

#include <algorithm>

#include "journal/datetext.h"
#include "settings/numbers.h"

namespace dx::report {

namespace {

Test testFrom(std::string_view date, std::string_view time, std::string_view level,
              std::string_view note) {
    Test t;
    t.date = date;
    t.time = time;
    t.level = level;
    t.note = note;
    t.minute = minuteOfDay(time);
    return t;
}

}  // namespace

// The journal already keeps each test's day and level number; only the
// time is read here.
std::vector<Test> testsOf(const Journal& journal, std::string_view /*datePattern*/) {
    std::vector<Test> tests;
    tests.reserve(static_cast<size_t>(std::max(journal.Nb_Tests, 0)));
    for (int i = 1; i <= journal.Nb_Tests && i <= kMaxTests; ++i) {
        const auto at = static_cast<size_t>(i);
        Test t = testFrom(journal.Date_Test[at], journal.Heure_Test[at], journal.Taux_Test[at],
                          journal.Note_Test[at]);
        t.day = journal.dayNumber[at];
        t.value = journal.levelNumber[at];
        tests.push_back(std::move(t));
    }
    return tests;
}

std::vector<Test> testsOf(const std::vector<JournalRecord>& records, std::string_view datePattern) {
    const DateTextReader readDate(datePattern);
    std::vector<Test> tests;
    tests.reserve(records.size());
    for (const JournalRecord& r : records) {
        Test t = testFrom(r.date, r.time, r.level, r.note);
        if (const auto d = readDate(r.date)) t.day = d->day();
        t.value = leadingNumber(r.level);
        tests.push_back(std::move(t));
    }
    return tests;
}

DayRange spanOf(const std::vector<Test>& tests) {
    DayRange span{0, -1};
    bool any = false;
    for (const Test& t : tests) {
        if (t.day == kNoDay) continue;
        if (!any || t.day < span.first) span.first = t.day;
        if (!any || t.day > span.last) span.last = t.day;
        any = true;
    }
    return span;
}

std::vector<Test> testsIn(const std::vector<Test>& tests, DayRange range) {
    std::vector<Test> kept;
    for (const Test& t : tests)
        if (t.day != kNoDay && range.contains(t.day)) kept.push_back(t);
    return kept;
}

}  // namespace dx::report
