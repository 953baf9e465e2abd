#include <algorithm>

#include "chart/chart.h"
#include "chart/chart_walk.h"

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

void Chart::Partitions_Graphiques() {
    const Layout l = layoutOf(chart::checkedPeriod(*this));
    view.Largeur_Partition = l.largeur;
    view.Nb_Partitions = l.partitions;
    view.Epaisseur_Ligne = l.epaisseur;
}

// The run of consecutive records from the cursor that share the running
// date's day (week view) or its month number, whatever the year (the other
// views). The journal's order keeps such records together.
void Chart::Qte_Test_Par_Partition() {
    Partitions_Graphiques();
    view.Qte_Tests_Partition = 0;
    if (view.Ligne_Suivante == 0) view.Ligne_Suivante = 1;
    if (view.Index_Test < 0) return;
    const int64_t running = view.Date_Affichee.day();
    const size_t first = static_cast<size_t>(view.Index_Test) + 1;
    const auto last = static_cast<size_t>(std::clamp(journal.Nb_Tests, 0, kMaxTests));
    size_t next = first;
    // A year view counts some 120 tests a partition, so the day numbers are
    // read straight from the table, and a month's tests are recognised by
    // the span of days of the month last matched.
    if (chart::checkedPeriod(*this) == Period::Week) {
        while (next <= last && journal.dayNumber[next] == running) ++next;
    } else {
        const int month = view.Date_Affichee.month();
        while (next <= last) {
            const int64_t d = journal.dayNumber[next];
            if (d == Journal::kNoDay) break;
            // The run goes on over the rest of d's month at one compare a test.
            const chart::MonthSpan span = chart::monthSpanOf(d);
            if (span.month != month) break;
            next = span.endOfRun(journal.dayNumber.data(), next + 1, last + 1);
        }
    }
    view.Qte_Tests_Partition = static_cast<int32_t>(next - first);
}

void Chart::Lignes_Objectif() {
    // The 7 and 4 mmol/L lines; the chart is scaled in mmol/L in both units.
    Objectif1 = {0, 936, 3650, 936, colour::kGrey, 1, true};
    Objectif2 = {0, 1092, 3650, 1092, colour::kGrey, 1, true};
}

void Chart::Ligne_Premiere() { view.Premiere_Ligne = Curseur.value() == chart::kToday ? 1 : 0; }

void Chart::Effacer_Graph() {
    view.Ligne_Suivante -= 1;
    if (view.Ligne_Suivante == 0) return;
    Aff_Moyenne.visible = false;
    const int32_t last = view.Ligne_Suivante;
    // Removing an element that does not exist is an error that ends the
    // procedure there, leaving the rest undone.
    const size_t missing = Ligne.firstMissing(last);
    view.Compteur = static_cast<int32_t>(missing);
    if (missing <= static_cast<size_t>(std::max(last, 0))) {
        Ligne.unload(1, missing);
        return;
    }
    Ligne.unloadAndTrim(1, missing);
    Ligne.templ().y1 = 1300;
    view.Ligne_Suivante = 0;
    view.Premiere_Ligne = 1;
}

void Chart::Effacer_Titre_AxeX() {
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
