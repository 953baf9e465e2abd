#include "report/import_apply.h"

#include <utility>

#include "journal/journal.h"

namespace dx::report {

namespace {

std::pair<int64_t, int> momentOfSlot(const Journal& j, size_t slot) {
    return {j.dayNumber[slot], minuteOfDay(j.Heure_Test[slot])};
}

void placeTest(Journal& j, size_t slot, const Test& t) {
    j.Date_Test.set(slot, t.date);
    j.dayNumber[slot] = t.day;
    j.Heure_Test.set(slot, t.time);
    j.setLevel(slot, t.level);
    j.Note_Test.set(slot, t.note);
}

}  // namespace

// The held tests and the planned ones (both newest first) are merged from
// the oldest end, in place: each slot filled lies at or above the held
// tests still to move, so none is overwritten before it has moved.
void addPlannedTests(Journal& j, const std::vector<Test>& newestFirst) {
    const auto added = static_cast<int>(newestFirst.size());
    int held = j.Nb_Tests;
    int next = added - 1;  // the oldest planned test not placed yet
    for (int slot = j.Nb_Tests + added; slot >= 1 && next >= 0; --slot) {
        const Test& t = newestFirst[static_cast<size_t>(next)];
        const bool heldIsOlder =
            held >= 1 && momentOfSlot(j, static_cast<size_t>(held)) < std::pair(t.day, t.minute);
        if (heldIsOlder) {
            j.copySlot(static_cast<size_t>(slot), static_cast<size_t>(held--));
        } else {
            placeTest(j, static_cast<size_t>(slot), t);
            --next;
        }
    }
    j.Nb_Tests += added;
}

}  // namespace dx::report
