#include "journal/journal_edits.h"

#include <utility>

#include "journal/datetext.h"

namespace dx {

namespace {

bool holds(const Journal& j, int slot) { return slot >= 1 && slot <= j.Nb_Tests; }

std::pair<int64_t, int> momentOfSlot(const Journal& j, size_t slot) {
    return {j.dayNumber[slot], minuteOfDay(j.Heure_Test[slot])};
}

void setTexts(Journal& j, size_t slot, std::string_view time, std::string_view level,
              std::string_view note) {
    j.Heure_Test.set(slot, time);
    j.setLevel(slot, level);
    j.Note_Test.set(slot, note);
}

void placeTest(Journal& j, size_t slot, const NewTest& t) {
    j.Date_Test.set(slot, t.date);
    j.dayNumber[slot] = t.day;
    setTexts(j, slot, t.time, t.level, t.note);
}

}  // namespace

// The held tests and the new ones (both newest first) are merged from the
// oldest end, in place: each slot filled lies at or above the held tests
// still to move, so none is overwritten before it has moved.
JournalEdit addTests(Journal& j, const std::vector<NewTest>& newestFirst) {
    const auto added = static_cast<int>(newestFirst.size());
    if (j.Nb_Tests + added > kMaxTests) return JournalEdit::JournalFull;
    int held = j.Nb_Tests;
    int next = added - 1;  // the oldest new test not placed yet
    for (int slot = j.Nb_Tests + added; slot >= 1 && next >= 0; --slot) {
        const NewTest& t = newestFirst[static_cast<size_t>(next)];
        const bool heldIsOlder = held >= 1 && momentOfSlot(j, static_cast<size_t>(held)) <
                                                  std::pair(t.day, minuteOfDay(t.time));
        if (heldIsOlder) {
            j.copySlot(static_cast<size_t>(slot), static_cast<size_t>(held--));
        } else {
            placeTest(j, static_cast<size_t>(slot), t);
            --next;
        }
    }
    j.Nb_Tests += added;
    return JournalEdit::Done;
}

JournalEdit insertTest(Journal& j, int slot, const NewTest& t) {
    if (j.Nb_Tests >= kMaxTests) return JournalEdit::JournalFull;
    if (slot < 1 || slot > j.Nb_Tests + 1) return JournalEdit::NoSuchTest;
    for (int i = j.Nb_Tests; i >= slot; --i)
        j.copySlot(static_cast<size_t>(i + 1), static_cast<size_t>(i));
    j.Nb_Tests += 1;
    placeTest(j, static_cast<size_t>(slot), t);
    return JournalEdit::Done;
}

JournalEdit replaceTest(Journal& j, int slot, std::string_view time, std::string_view level,
                        std::string_view note) {
    if (!holds(j, slot)) return JournalEdit::NoSuchTest;
    setTexts(j, static_cast<size_t>(slot), time, level, note);
    return JournalEdit::Done;
}

JournalEdit removeTest(Journal& j, int slot) {
    if (!holds(j, slot)) return JournalEdit::NoSuchTest;
    for (int i = slot; i < j.Nb_Tests; ++i)
        j.copySlot(static_cast<size_t>(i), static_cast<size_t>(i + 1));
    j.Nb_Tests -= 1;
    return JournalEdit::Done;
}

}  // namespace dx
