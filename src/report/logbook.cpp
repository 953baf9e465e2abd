#include "report/logbook.h"

#include <utility>

#include "journal/datetext.h"
#include "journal/journal_edits.h"
#include "journal/journal_texts.h"
#include "platform/text.h"
#include "report/import_apply.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx::report {

namespace T = report_texts;

namespace {

Outcome refusedWith(std::string title, std::string text) {
    return {false, std::move(title), std::move(text)};
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

bool noteMatches(std::string_view note, const std::string& wordUpper) {
    return wordUpper.empty() || upperCase(note).find(wordUpper) != std::string::npos;
}

const Bilingual& refusalOf(JournalEdit edit) {
    return edit == JournalEdit::JournalFull ? journal_texts::kJournalFull : T::kNoSuchTest;
}

}  // namespace

Outcome Logbook::done() {
    c_.changed();
    return {true, "", ""};
}

Outcome Logbook::refused(const Bilingual& text) const {
    return refusedWith(pick(journal_texts::kMessageTitle, c_.langue), pick(text, c_.langue));
}

Logbook::UndoStep Logbook::stepOf(UndoStep::Kind kind, int slot) const {
    const Journal& j = c_.journal;
    const auto at = static_cast<size_t>(slot);
    return {kind,
            slot,
            std::string(j.Date_Test[at]),
            std::string(j.Heure_Test[at]),
            std::string(j.Taux_Test[at]),
            std::string(j.Note_Test[at]),
            j.dayNumber[at]};
}

std::vector<LogRow> Logbook::rows(const LogFilter& filter) const {
    const Journal& j = c_.journal;
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
                       entryLevelText(j.Taux_Test[at], c_.unite), std::string(j.Note_Test[at])});
    }
    return out;
}

// Every field changed is checked before any is written: a refusal changes
// nothing.
Outcome Logbook::edit(int slot, const TestEdit& change) {
    const Journal& j = c_.journal;
    if (slot < 1 || slot > j.Nb_Tests) return refused(T::kNoSuchTest);
    const auto at = static_cast<size_t>(slot);
    std::string level(j.Taux_Test[at]), time(j.Heure_Test[at]), note(j.Note_Test[at]);

    if (change.level) {
        level = entryLevelText(*change.level, c_.unite);
        if (levelRefused(level, c_.unite)) return c_.levelRefusal;
    }
    if (change.time) {
        time = trimBlanks(*change.time);
        if (!entryMinute(time)) return refused(T::kTimeFormat);
        if (!keepsOrder(j, slot, time)) return refused(T::kTimeOrder);
    }
    if (change.note) {
        note = *change.note;
        const StorableCheck check = checkStorable(note);
        if (check.problem != Unstorable::None)
            return refusedWith(pick(journal_texts::kMessageTitle, c_.langue),
                               unstorableMessage(check, pick(T::kNote, c_.langue), c_.langue));
    }

    const UndoStep step = stepOf(UndoStep::Kind::Edit, slot);
    const JournalEdit edit = replaceTest(c_.journal, slot, time, level, note);
    if (edit != JournalEdit::Done) return refused(refusalOf(edit));
    undo_ = step;
    return done();
}

Outcome Logbook::remove(int slot) {
    if (slot < 1 || slot > c_.journal.Nb_Tests) return refused(T::kNoSuchTest);
    const UndoStep step = stepOf(UndoStep::Kind::Remove, slot);
    const JournalEdit edit = removeTest(c_.journal, slot);
    if (edit != JournalEdit::Done) return refused(refusalOf(edit));
    undo_ = step;
    return done();
}

Outcome Logbook::undo() {
    if (!undo_) return refused(T::kNothingToUndo);
    const UndoStep& step = *undo_;
    const JournalEdit edit =
        step.kind == UndoStep::Kind::Edit
            ? replaceTest(c_.journal, step.slot, step.time, step.level, step.note)
            : insertTest(c_.journal, step.slot,
                         {step.date, step.time, step.level, step.note, step.day});
    if (edit != JournalEdit::Done) return refused(refusalOf(edit));
    undo_.reset();
    return done();
}

// Refused when the tests do not fit or there are none; rows that could not
// be read are left out, as the user chose when confirming the plan.
Outcome applyImport(const LogbookContext& c, const ImportPlan& plan) {
    const int16_t l = c.langue;
    if (plan.overLimit) return refusedWith(pick(T::kImportTitle, l), pick(T::kOverLimit, l));
    if (plan.toAdd.empty())
        return refusedWith(pick(T::kImportTitle, l), pick(T::kNothingToImport, l));
    if (addPlannedTests(c.journal, plan.toAdd) != JournalEdit::Done)
        return refusedWith(pick(T::kImportTitle, l), pick(T::kOverLimit, l));
    c.changed();
    return {true, pick(T::kImportTitle, l),
            std::to_string(plan.toAdd.size()) + pick(T::kImported, l)};
}

}  // namespace dx::report
