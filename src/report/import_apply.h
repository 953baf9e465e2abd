#pragma once

// The one step of an import that changes the journal: the planned tests
// laid in among the held ones, through the journal's own way in. The window
// and the command line both end an import with it.

#include <vector>

#include "journal/journal_edits.h"
#include "report/report_tests.h"

namespace dx::report {

// Adds tests (newest first) to the journal, each where its date and time
// place it among the held tests; refused whole when they would not fit.
JournalEdit addPlannedTests(Journal& journal, const std::vector<Test>& newestFirst);

}  // namespace dx::report
