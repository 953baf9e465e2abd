#include <string>

#include "settings/numbers.h"
#include "settings/text.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace {

const Bilingual kTitle{"Résultats", "Results"};
const Bilingual kCountWord{" résultats", " results"};

// A count lives in its label's caption: an empty caption reads as 0.
void addOne(Label& count) {
    const auto n = static_cast<long long>(leadingNumber(count.caption));
    count.caption = std::to_string(n + 1);
}

}  // namespace

void Fenetre::Resume_Reset() {
    Cadre_Resultats.caption = pick(kTitle, settings.Langue);
    view.Qte_Resultats = 0;
    Aff_Res_Optim.caption = "";
    Aff_Res_Sub_Optim.caption = "";
    Aff_Res_Compro.caption = "";
}

// Counts the test just drawn, record Index_Test, into its band.
void Fenetre::Resume_Semaine() {
    view.Qte_Resultats += 1;
    switch (levelBand(journal.Taux_Test[static_cast<size_t>(view.Index_Test)], settings.Unite)) {
        case Band::Optimal:
            addOne(Aff_Res_Optim);
            break;
        case Band::Suboptimal:
            addOne(Aff_Res_Sub_Optim);
            break;
        case Band::Compromise:
            addOne(Aff_Res_Compro);
            break;
        case Band::None:
            break;
    }
    for (Label* count : {&Aff_Res_Optim, &Aff_Res_Sub_Optim, &Aff_Res_Compro})
        if (count->caption.empty()) count->caption = "0";
    Cadre_Resultats.caption =
        std::to_string(view.Qte_Resultats) + pick(kCountWord, settings.Langue);
}

void Fenetre::Menu_Hystorique_Click() { Donnees_Presentes(); }

}  // namespace dx
