#include "settings/numbers.h"
#include "settings/units.h"
#include "window/entry_rules.h"
#include "window/fenetre.h"

namespace dx {

// The level beside the chart: the test on show (record Index_Test + 1) in
// the week view, the partition's average in the month view, nothing in the
// year view.
void Fenetre::Afficher_Taux() {
    const int32_t first = view.Index_Test + 1;
    if (!Menu_Sem.checked) {
        if (Menu_Mois.checked) {
            double sum = 0;
            for (int32_t i = first; i <= view.Index_Test + view.Qte_Tests_Partition; ++i)
                sum = static_cast<double>(
                    roundHalfEven(sum + journal.levelNumber[static_cast<size_t>(i)]));
            Aff_Moyenne.visible = true;
            // An empty partition has no average: the display stays empty.
            Aff_Resultat.caption = view.Qte_Tests_Partition > 0
                                       ? formatNumber(sum / view.Qte_Tests_Partition, "00.0")
                                       : "";
        } else {
            Aff_Moyenne.visible = false;
            Aff_Resultat.caption = "";
        }
        Aff_Heure.caption = "";
        return;
    }
    // Past the last slot there is no test: show it as an empty one.
    const auto at = static_cast<size_t>(first < kJournalSlots ? first : 0);
    Aff_Moyenne.visible = false;
    Aff_Resultat.caption = formatIfNumber(journal.Taux_Test[at], displayFormat(settings.Unite));
    Aff_Heure.caption = journal.Heure_Test[at];
    if (!journal.Note_Test[at].empty()) {
        entry.Index_Note = first;
        Information.caption = "[ " + std::string(journal.Note_Test[at]) + " ]";
    }
}

void Fenetre::Affichager_Le_Taux() {
    const char* format = displayFormat(settings.Unite);
    Dialog_Taux.setText(formatIfNumber(Dialog_Taux.text(), format));
    Aff_Resultat.caption = formatIfNumber(Aff_Resultat.caption, format);
}

}  // namespace dx
