#pragma once

// The logbook: every test of a journal as rows, searched and filtered, and
// the changes made from it (a level, a time or a note edited, a test
// deleted, the last one undone), through the entry panel's checks and the
// journal's own entry points. Also the import of a checked plan. The window
// hands it its journal and is told after each change.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal.h"
#include "platform/text.h"
#include "report/exchange.h"
#include "report/report_tests.h"

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

// What the logbook works on: the journal, the unit and language in force,
// the entry panel's refusal of a level (title and text), and what to do
// after each change made.
struct LogbookContext {
    Journal& journal;
    int16_t unite = 0, langue = 0;
    Outcome levelRefusal;
    std::function<void()> changed = [] {};
};

class Logbook {
public:
    explicit Logbook(LogbookContext context) : c_(std::move(context)) {}

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
        int64_t day;
    };
    Outcome done();
    Outcome refused(const Bilingual& text) const;
    UndoStep stepOf(UndoStep::Kind kind, int slot) const;

    LogbookContext c_;
    std::optional<UndoStep> undo_;
};

// Adds a plan's tests to the journal, each where its date and time place
// it, the bad rows left out; refused whole when the tests would not fit.
// The context is told when they are in.
Outcome applyImport(const LogbookContext& context, const ImportPlan& plan);

}  // namespace dx::report
