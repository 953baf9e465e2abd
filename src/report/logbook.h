#pragma once

// The logbook: every test of the window's journal as rows, searched and
// filtered, and the changes made from it (a level, a time or a note edited,
// a test deleted, the last one undone), through the entry panel's checks.
// A change marks the journal unsaved and redraws the chart, as an added
// test does. Also the import of a checked plan, and what the report
// commands may do while the window is busy.

#include <optional>
#include <string>
#include <vector>

#include "report/exchange.h"
#include "report/report_tests.h"

namespace dx {
class Fenetre;
}

namespace dx::report {

struct LogRow {
    int slot = 0;                         // the journal index, 1 = newest
    std::string date, time, level, note;  // level as shown in the unit on show
};

struct LogFilter {
    std::string word;                // found in the note, case-insensitively; "" any
    std::optional<int64_t> fromDay;  // inclusive day numbers
    std::optional<int64_t> toDay;
};

// What a change did: done, or refused with the message to show (title and
// text in the window's language); nothing changed when refused.
struct Outcome {
    bool done = false;
    std::string title, message;
};

struct TestEdit {
    std::optional<std::string> level, time, note;  // the fields changed
};

// The report menu's commands are refused while the entry panel, a
// calibration or a blood test is on.
bool reportAvailable(const Fenetre& w);
// The range on show: the days of the period the chart shows.
DayRange periodOnShow(const Fenetre& w);
// The tests held now, newest first.
std::vector<Test> journalTests(const Fenetre& w);

class Logbook {
public:
    explicit Logbook(Fenetre& w) : w_(w) {}

    std::vector<LogRow> rows(const LogFilter& filter) const;
    Outcome edit(int slot, const TestEdit& change);
    Outcome remove(int slot);
    bool canUndo() const { return undo_.has_value(); }
    Outcome undo();

private:
    struct UndoStep {
        enum class Kind { Edit, Remove } kind;
        int slot;
        std::string date, time, level, note;
    };
    Fenetre& w_;
    std::optional<UndoStep> undo_;
};

// Adds a plan's tests (planImport over journalTests) to the journal, each
// where its date and time place it, the bad rows left out; refused whole
// when the tests do not fit. Marks the journal unsaved and redraws, as an added test does.
Outcome applyImport(Fenetre& w, const ImportPlan& plan);

}  // namespace dx::report
