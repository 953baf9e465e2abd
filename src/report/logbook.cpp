#include "report/logbook.h"

#include <utility>

#include "chart/chart_walk.h"
#include "journal/datetext.h"
#include "journal/journal_texts.h"
#include "platform/text.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/entry_rules.h"
#include "window/fenetre.h"
#include "window/window_texts.h"

namespace dx::report {

namespace T = report_texts;

namespace {

Outcome refused(const Fenetre& w, const Bilingual& text) {
    return {false, pick(journal_texts::kMessageTitle, w.settings.Langue),
            pick(text, w.settings.Langue)};
}

Outcome refused(std::string title, std::string text) {
    return {false, std::move(title), std::move(text)};
}

// A changed journal is unsaved and redrawn, exactly as after a test added
// through the entry panel.
void markUnsaved(Fenetre& w) {
    w.redrawJournal();
    w.Menu_Prev.enabled = false;
    w.Menu_Option.enabled = false;
    w.Menu_Sauve.enabled = true;
    w.Menu_Fichier.enabled = true;
    w.Curseur.enabled = true;
}

// The moment of a slot, by date then time; tests without a date or a time
// do not constrain their neighbours.
std::optional<std::pair<int64_t, int>> momentOf(const Journal& j, int slot, int minute) {
    const int64_t day = j.dayNumber[static_cast<size_t>(slot)];
    if (day == kNoDay || minute < 0) return std::nullopt;
    return std::pair(day, minute);
}

bool keepsOrder(const Journal& j, int slot, std::string_view time) {
    const auto self = momentOf(j, slot, minuteOfDay(time));
    if (!self) return true;
    if (slot > 1) {
        const auto newer =
            momentOf(j, slot - 1, minuteOfDay(j.Heure_Test[static_cast<size_t>(slot - 1)]));
        if (newer && *self > *newer) return false;
    }
    if (slot < j.Nb_Tests) {
        const auto older =
            momentOf(j, slot + 1, minuteOfDay(j.Heure_Test[static_cast<size_t>(slot + 1)]));
        if (older && *self < *older) return false;
    }
    return true;
}

void setTexts(Journal& j, size_t slot, std::string_view time, std::string_view level,
              std::string_view note) {
    j.Heure_Test.set(slot, time);
    j.setLevel(slot, level);
    j.Note_Test.set(slot, note);
}

bool noteMatches(std::string_view note, const std::string& wordUpper) {
    return wordUpper.empty() || upperCase(note).find(wordUpper) != std::string::npos;
}

}  // namespace

bool reportAvailable(const Fenetre& w) {
    return !w.Cadre_Ajouter.visible && w.meter.Mode_Calibration == 0 && w.meter.Mode_Analyse == 0 &&
           w.meter.Analyse_En_Cours == 0;
}

// The week view shows the seven days ending on the date of Aff_Date, the
// month view its month from day 1 to that date, the year view the year
// ending on it.
DayRange periodOnShow(const Fenetre& w) {
    const DateTime shown = chart::shownDate(w.chart);
    const int64_t last = shown.day();
    switch (chart::checkedPeriod(w.chart)) {
        case chart::Period::Week:
            return {last - 6, last};
        case chart::Period::Month:
            return {last - shown.dayOfMonth() + 1, last};
        case chart::Period::Year:
            break;
    }
    return {last - w.chart.Qte_Jrs_Annee(shown) + 1, last};
}

std::vector<Test> journalTests(const Fenetre& w) {
    return testsOf(w.journal, w.win.Format_Date_Courte);
}

std::vector<LogRow> Logbook::rows(const LogFilter& filter) const {
    const Journal& j = w_.journal;
    const std::string word = upperCase(trimBlanks(filter.word));
    const bool byDate = filter.fromDay || filter.toDay;
    std::vector<LogRow> out;
    for (int i = 1; i <= j.Nb_Tests && i <= kMaxTests; ++i) {
        const auto at = static_cast<size_t>(i);
        const int64_t day = j.dayNumber[at];
        if (byDate && day == kNoDay) continue;
        if (filter.fromDay && day < *filter.fromDay) continue;
        if (filter.toDay && day > *filter.toDay) continue;
        if (!noteMatches(j.Note_Test[at], word)) continue;
        out.push_back({i, std::string(j.Date_Test[at]), std::string(j.Heure_Test[at]),
                       entryLevelText(j.Taux_Test[at], w_.settings.Unite),
                       std::string(j.Note_Test[at])});
    }
    return out;
}

// Every field changed is checked before any is written: a refusal changes
// nothing.
Outcome Logbook::edit(int slot, const TestEdit& change) {
    Journal& j = w_.journal;
    const int16_t unite = w_.settings.Unite, l = w_.settings.Langue;
    if (slot < 1 || slot > j.Nb_Tests) return refused(w_, T::kNoSuchTest);
    const auto at = static_cast<size_t>(slot);
    std::string level(j.Taux_Test[at]), time(j.Heure_Test[at]), note(j.Note_Test[at]);

    if (change.level) {
        level = entryLevelText(*change.level, unite);
        if (levelRefused(level, unite))
            return refused(window_text::kCheckTitle,
                           levelRefusalText(w_.Aff_Dial_Taux.caption, unite));
    }
    if (change.time) {
        time = trimBlanks(*change.time);
        if (!entryMinute(time)) return refused(w_, T::kTimeFormat);
        if (!keepsOrder(j, slot, time)) return refused(w_, T::kTimeOrder);
    }
    if (change.note) {
        note = *change.note;
        const StorableCheck check = checkStorable(note);
        if (check.problem != Unstorable::None)
            return refused(pick(journal_texts::kMessageTitle, l),
                           unstorableMessage(check, pick(T::kNote, l), l));
    }

    undo_ = UndoStep{UndoStep::Kind::Edit,         slot,
                     std::string(j.Date_Test[at]), std::string(j.Heure_Test[at]),
                     std::string(j.Taux_Test[at]), std::string(j.Note_Test[at])};
    setTexts(j, at, time, level, note);
    markUnsaved(w_);
    return {true, "", ""};
}

Outcome Logbook::remove(int slot) {
    Journal& j = w_.journal;
    if (slot < 1 || slot > j.Nb_Tests) return refused(w_, T::kNoSuchTest);
    const auto at = static_cast<size_t>(slot);
    undo_ = UndoStep{UndoStep::Kind::Remove,       slot,
                     std::string(j.Date_Test[at]), std::string(j.Heure_Test[at]),
                     std::string(j.Taux_Test[at]), std::string(j.Note_Test[at])};
    for (int i = slot; i < j.Nb_Tests; ++i)
        j.copySlot(static_cast<size_t>(i), static_cast<size_t>(i + 1));
    j.Nb_Tests -= 1;
    markUnsaved(w_);
    return {true, "", ""};
}

Outcome Logbook::undo() {
    if (!undo_) return refused(w_, T::kNothingToUndo);
    Journal& j = w_.journal;
    const UndoStep step = *undo_;
    const auto at = static_cast<size_t>(step.slot);
    if (step.kind == UndoStep::Kind::Edit) {
        if (step.slot > j.Nb_Tests) return refused(w_, T::kNoSuchTest);
        setTexts(j, at, step.time, step.level, step.note);
    } else {
        if (j.Nb_Tests >= kMaxTests) return refused(w_, journal_texts::kJournalFull);
        if (step.slot > j.Nb_Tests + 1) return refused(w_, T::kNoSuchTest);
        for (int i = j.Nb_Tests; i >= step.slot; --i)
            j.copySlot(static_cast<size_t>(i + 1), static_cast<size_t>(i));
        j.Nb_Tests += 1;
        j.Date_Test.set(at, step.date);
        const auto day = w_.textDate(step.date);
        j.dayNumber[at] = day ? day->day() : kNoDay;
        setTexts(j, at, step.time, step.level, step.note);
    }
    undo_.reset();
    markUnsaved(w_);
    return {true, "", ""};
}

namespace {

std::pair<int64_t, int> momentOfSlot(const Journal& j, size_t slot) {
    return {j.dayNumber[slot], minuteOfDay(j.Heure_Test[slot])};
}

void placeTest(Journal& j, size_t slot, const Test& t) {
    j.Date_Test.set(slot, t.date);
    j.dayNumber[slot] = t.day;
    setTexts(j, slot, t.time, t.level, t.note);
}

}  // namespace

// The held tests and the plan's (both newest first) are merged from the
// oldest end, in place: each slot filled lies at or above the held tests
// still to move, so none is overwritten before it has moved.
Outcome applyImport(Fenetre& w, const ImportPlan& plan) {
    Journal& j = w.journal;
    const int16_t l = w.settings.Langue;
    const auto added = static_cast<int>(plan.toAdd.size());
    if (plan.overLimit || j.Nb_Tests + added > kMaxTests)
        return refused(pick(T::kImportTitle, l), pick(T::kOverLimit, l));
    if (!plan.bad.empty()) return refused(pick(T::kImportTitle, l), pick(T::kBadRowsRefuse, l));
    if (plan.toAdd.empty()) return refused(pick(T::kImportTitle, l), pick(T::kNothingToImport, l));

    int held = j.Nb_Tests;
    int next = added - 1;  // the oldest of the plan not placed yet
    for (int slot = j.Nb_Tests + added; slot >= 1 && next >= 0; --slot) {
        const Test& t = plan.toAdd[static_cast<size_t>(next)];
        const bool heldIsOlder =
            held >= 1 && momentOfSlot(j, static_cast<size_t>(held)) < std::pair(t.day, t.minute);
        if (heldIsOlder)
            j.copySlot(static_cast<size_t>(slot), static_cast<size_t>(held--));
        else
            placeTest(j, static_cast<size_t>(slot), plan.toAdd[static_cast<size_t>(next--)]);
    }
    j.Nb_Tests += added;
    markUnsaved(w);
    return {true, pick(T::kImportTitle, l), std::to_string(added) + pick(T::kImported, l)};
}

}  // namespace dx::report
