#pragma once

// The one step of an import that changes the journal: the planned tests
// laid in among the held ones. The window and the command line both end an
// import with it.

#include <vector>

#include "report/report_tests.h"

namespace dx {
struct Journal;
}

namespace dx::report {

// Adds tests (newest first) to the journal, each where its date and time
// place it among the held tests; Nb_Tests counts them after. The caller
// has checked that they fit (kMaxTests).
void addPlannedTests(Journal& journal, const std::vector<Test>& newestFirst);

}  // namespace dx::report
