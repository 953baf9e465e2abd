#include <algorithm>

#include "chart/chart_walk.h"
#include "window/fenetre.h"

namespace dx {

using chart::Period;

namespace {

struct Layout {
    int32_t largeur;
    int32_t partitions;
    int16_t epaisseur;
};

// A week of days, one month, a year of months. 7 x 521 and 12 x 304 leave the
// leftmost partition 3 or 2 units short of the left edge.
Layout layoutOf(Period p) {
    switch (p) {
        case Period::Week:
            return {521, 7, 2};
        case Period::Month:
            return {3650, 1, 2};
        case Period::Year:
            break;
    }
    return {304, 12, 1};
}

}  // namespace

void Fenetre::Partitions_Graphiques() {
    const Layout l = layoutOf(chart::checkedPeriod(*this));
    view.Largeur_Partition = l.largeur;
    view.Nb_Partitions = l.partitions;
    view.Epaisseur_Ligne = l.epaisseur;
}

// The run of consecutive records from the cursor that share the running
// date's day (week view) or its month number, whatever the year (the other
// views). The journal's order keeps such records together.
void Fenetre::Qte_Test_Par_Partition() {
    Partitions_Graphiques();
    view.Qte_Tests_Partition = 0;
    if (view.Ligne_Suivante == 0) view.Ligne_Suivante = 1;
    const int64_t running = view.Date_Affichee.day();
    const bool byDay = chart::checkedPeriod(*this) == Period::Week;
    const int month = view.Date_Affichee.month();
    chart::MonthOfDay monthOf;
    const auto belongs = [&](int64_t d) {
        return d != Journal::kNoDay && (byDay ? d == running : monthOf(d) == month);
    };
    // A year view counts some 120 tests a partition: the day numbers are
    // read straight from the table.
    if (view.Index_Test < 0) return;
    auto next = static_cast<size_t>(view.Index_Test) + 1;
    const auto last = static_cast<size_t>(std::clamp(journal.Nb_Tests, 0, kMaxTests));
    while (next <= last && belongs(journal.dayNumber[next])) ++next;
    view.Qte_Tests_Partition = static_cast<int32_t>(next - static_cast<size_t>(view.Index_Test) - 1);
}

void Fenetre::Lignes_Objectif() {
    // The 7 and 4 mmol/L lines; the chart is scaled in mmol/L in both units.
    Objectif1 = {0, 936, 3650, 936, colour::kGrey, 1, true};
    Objectif2 = {0, 1092, 3650, 1092, colour::kGrey, 1, true};
}

void Fenetre::Ligne_Premiere() { view.Premiere_Ligne = Curseur.value() == chart::kToday ? 1 : 0; }

void Fenetre::Effacer_Graph() {
    view.Ligne_Suivante -= 1;
    if (view.Ligne_Suivante == 0) return;
    Aff_Moyenne.visible = false;
    const int32_t last = view.Ligne_Suivante;
    int32_t i = 1;
    for (; i <= last; ++i) {
        const auto at = static_cast<size_t>(i);
        // Removing an element that does not exist is an error that ends the
        // procedure there, leaving the rest undone.
        if (at >= Ligne.size() || !Ligne[at]) break;
        Ligne[at].reset();
    }
    win.Compteur = i;
    if (i <= last) return;
    while (Ligne.size() > 1 && !Ligne.back()) Ligne.pop_back();
    Ligne[0]->y1 = 1300;
    view.Ligne_Suivante = 0;
    view.Premiere_Ligne = 1;
}

void Fenetre::Effacer_Titre_AxeX() {
    if (view.Periode == 7) {
        for (int i = 1; i <= 7; ++i) Aff_Jour[static_cast<size_t>(i)]->visible = false;
    } else if (view.Periode == 1) {
        Aff_Mois_Jr1.visible = false;
        Aff_Nom_Mois.visible = false;
        Aff_Mois_Dernier_Jr.visible = false;
    } else {
        for (int i = 1; i <= 12; ++i) Aff_Mois[static_cast<size_t>(i)]->visible = false;
    }
}

}  // namespace dx
