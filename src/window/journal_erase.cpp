#include <algorithm>

#include "journal/journal_io.h"
#include "journal/journal_texts.h"
#include "window/fenetre.h"
#include "window/journal_procedures.h"

namespace dx {

namespace T = journal_texts;

void Fenetre::Menu_Eff_Click() { Effacer_Donnees(); }

// Drops every test dated before the date the user types, and rewrites the
// file at once with the tests kept (levels as they stand, settings not
// written). Every refusal beeps and changes nothing.
void Fenetre::Effacer_Donnees() {
    Journal& j = journal;
    const int16_t l = settings.Langue;
    // A journal this window may not write (another window holds it, it was
    // not read, or another program changed it) is said so before the user
    // types a date for nothing.
    if (refuseJournalWrite(*this, pick(T::kEraseNotDone, l))) return;
    const auto newestAt = static_cast<size_t>(1);
    const auto oldestAt = static_cast<size_t>(std::max(j.Nb_Tests, 0));
    const std::string prompt = pick(T::kEraseCount, l) + std::to_string(j.Nb_Tests) +
                               pick(T::kEraseCountEnd, l) + "\n\n" + pick(T::kEraseNewest, l) +
                               std::string(j.Date_Test[newestAt]) + "\n" +
                               pick(T::kEraseOldest, l) + std::string(j.Date_Test[oldestAt]) +
                               "\n\n" + pick(T::kEraseEnter, l);
    const auto answer = platform.dialogs.inputBox(pick(T::kEraseTitle, l), prompt, "");
    const auto typed = answer ? textDate(*answer) : std::nullopt;
    if (!typed) {
        platform.dialogs.beep();
        return;
    }
    const DateTime e = *typed;
    if (e == DateTime{}) return;  // the answer 00:00:00 ends silently

    // An empty journal or a stored date that is no date cannot be compared.
    const auto newest = j.Nb_Tests > 0 ? textDate(j.Date_Test[newestAt]) : std::nullopt;
    const auto oldest = j.Nb_Tests > 0 ? textDate(j.Date_Test[oldestAt]) : std::nullopt;
    if (!newest || !oldest) {
        platform.dialogs.beep();
        return;
    }
    const int64_t a = newest->day() - e.day();  // > 0: E before the newest test
    const int64_t b = e.day() - oldest->day();  // >= 0: E not before the oldest
    if (!(a > 0 && b >= 0)) {
        platform.dialogs.beep();
        return;
    }
    if (askYesNo(pick(T::kEraseQuestionTitle, l), pick(T::kEraseQuestion, l) + dateText(e),
                 MsgIcon::Critical) != MsgAnswer::Yes)
        return;

    int32_t firstOlder = 0;
    for (int32_t i = 1; i <= j.Nb_Tests; ++i) {
        const auto date = textDate(j.Date_Test[static_cast<size_t>(i)]);
        if (date && *date < e) {
            firstOlder = i;
            break;
        }
    }
    if (firstOlder == 0) {
        platform.dialogs.beep();
        return;
    }
    const int32_t before = j.Nb_Tests;
    j.Nb_Tests = firstOlder - 1;
    chart.Effacer_Graph();
    if (!saveJournalFile(*this, pick(T::kEraseNotDone, l), pick(T::kEraseNotDone, l))) {
        // Nothing was moved: the count alone brings the dropped tests back.
        j.Nb_Tests = before;
        chart.Re_Executer();
        return;
    }
    Recuperer();
    chart.Re_Executer();
}

}  // namespace dx
