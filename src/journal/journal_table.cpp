#include "journal/journal_texts.h"
#include "settings/numbers.h"
#include "window/fenetre.h"

namespace dx {

namespace T = journal_texts;

void Journal::setLevel(size_t slot, std::string_view text) {
    levelNumber[slot] = leadingNumber(text);
    Taux_Test[slot].assign(text);
}

// Moves the staged test (slot 0) in as test 1; every older test moves one
// slot up. The caller has already counted it in Nb_Tests.
void Fenetre::Ajouter_A_Liste() {
    Journal& j = journal;
    if (j.Nb_Tests > kMaxTests) {
        // A caller that skipped refuseFullJournal: there is no slot for it.
        j.Nb_Tests = kMaxTests;
        refuseFullJournal();
        return;
    }
    const auto day = textDate(j.Date_Test[0]);
    j.dayNumber[0] = day ? day->day() : Journal::kNoDay;
    j.levelNumber[0] = leadingNumber(j.Taux_Test[0]);
    for (auto i = static_cast<size_t>(j.Nb_Tests); i >= 1; --i) {
        j.Date_Test[i] = j.Date_Test[i - 1];
        j.Heure_Test[i] = j.Heure_Test[i - 1];
        j.Taux_Test[i] = j.Taux_Test[i - 1];
        j.Note_Test[i] = j.Note_Test[i - 1];
        j.dayNumber[i] = j.dayNumber[i - 1];
        j.levelNumber[i] = j.levelNumber[i - 1];
    }
}

// Opening the history or test menu with unsaved tests turns that menu off
// until the next save.
void Fenetre::Donnees_Presentes() {
    if (!Menu_Sauve.enabled) return;
    Menu_Hystorique.enabled = false;
    Menu_Test.enabled = false;
    message("Message", pick(T::kSaveFirst, settings.Langue));
}

bool Fenetre::refuseFullJournal() {
    if (journal.Nb_Tests < kMaxTests) return false;
    const int16_t l = settings.Langue;
    message(pick(T::kFileTitle, l), pick(T::kJournalFull, l), MsgButtons::Ok,
            MsgIcon::Exclamation);
    return true;
}

} // namespace dx
