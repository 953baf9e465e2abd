#pragma once

// What the report menu needs of the window: whether its commands may run,
// the period the chart shows, the tests held, and the logbook and the
// import working on the window's journal, each change then shown as an
// added test is.

#include <vector>

#include "report/logbook.h"
#include "report/report_tests.h"

namespace dx {
class Fenetre;
}

namespace dx::report {

// The report menu's commands are refused while the entry panel, a
// calibration or a blood test is on.
bool reportAvailable(const Fenetre& w);
// The range on show: the days of the period the chart shows.
DayRange periodOnShow(const Fenetre& w);
// The tests held now, newest first.
std::vector<Test> journalTests(const Fenetre& w);
// The window's journal, unit, language and level refusal; each change
// marks the journal unsaved and redraws the window.
LogbookContext logbookContext(Fenetre& w);
Outcome applyImport(Fenetre& w, const ImportPlan& plan);

}  // namespace dx::report
