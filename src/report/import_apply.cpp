#include "report/import_apply.h"

namespace dx::report {

JournalEdit addPlannedTests(Journal& journal, const std::vector<Test>& newestFirst) {
    std::vector<NewTest> tests;
    tests.reserve(newestFirst.size());
    for (const Test& t : newestFirst) tests.push_back({t.date, t.time, t.level, t.note, t.day});
    return addTests(journal, tests);
}

}  // namespace dx::report
