#pragma once

// The one way the logbook and an import change the journal's tests (the
// entry panel and the meter add theirs at the head, through the window):
// each change checks the slot it names and the 5000-test limit, and changes
// nothing when refused. The journal stays newest first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal.h"

namespace dx {

// A test as it enters the journal: its four texts and its date's day number.
struct NewTest {
    std::string date, time, level, note;
    int64_t day = Journal::kNoDay;
};

enum class JournalEdit { Done, NoSuchTest, JournalFull };

// Adds tests (newest first), each where its date and time place it among
// the held ones; refused whole when they would not all fit.
JournalEdit addTests(Journal& journal, const std::vector<NewTest>& newestFirst);
// Puts a test at slot (1 = newest; up to one past the oldest), the tests
// from there on one slot older.
JournalEdit insertTest(Journal& journal, int slot, const NewTest& test);
// The time, level and note of the test at slot.
JournalEdit replaceTest(Journal& journal, int slot, std::string_view time, std::string_view level,
                        std::string_view note);
JournalEdit removeTest(Journal& journal, int slot);

}  // namespace dx
