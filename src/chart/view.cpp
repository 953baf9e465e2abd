#include "chart/chart.h"
#include "chart/chart_walk.h"
#include "journal/calendar.h"

namespace dx {

using chart::Period;

namespace {

void checkOnly(Chart& w, MenuItem& item) {
    for (MenuItem* m : {&w.Menu_Sem, &w.Menu_Mois, &w.Menu_Annee}) m->checked = m == &item;
}

// Whole days from the oldest test to today.
int32_t historyDays(const Chart& w) {
    const auto oldest = chart::oldestDay(w.journal);
    return oldest ? static_cast<int32_t>(w.today().day() - *oldest) : 0;
}

}  // namespace

void Chart::Valeur_Curseur() {
    switch (chart::checkedPeriod(*this)) {
        case Period::Year:
            Curseur.smallChange = Qte_Jours_Dans_Mois_Prec(view.Date_Affichee);
            Curseur.largeChange = Qte_Jrs_Annee(view.Date_Affichee);
            break;
        case Period::Month:
            // One step back reaches the last day of the previous month.
            Curseur.smallChange = chart::shownDate(*this).dayOfMonth();
            Curseur.largeChange = Curseur.smallChange;
            break;
        case Period::Week:
            Curseur.smallChange = 1;
            Curseur.largeChange = view.Nb_Partitions;
            break;
    }
}

void Chart::Menu_Sem_Click() {
    if (Menu_Sem.checked) return;
    Curseur.enabled = true;
    checkOnly(*this, Menu_Sem);
    Effacer_Graph();
    Valeur_Curseur();
    Partitions_Graphiques();
    // With Curseur_Actif unchanged: a scrollbar below today runs the change
    // handler for the new period.
    Curseur.setValue(chart::kToday);
    view.Ancienne_Position = chart::kToday;
    chart::showDate(*this, today());
    chart::readBackDate(*this);
    view.Index_Test = 0;
    Re_Executer();
    if (journal.Nb_Tests == 0)
        Curseur.enabled = false;
    else
        view.Position_Min = chart::kWeekOrigin - historyDays(*this);
    view.Periode = 7;
    view.Mois_Partition = 0;
    if (journal.Nb_Tests > 0) chart::enableForEarlierWeek(*this);
}

void Chart::Menu_Mois_Click() {
    if (Menu_Mois.checked) return;
    checkOnly(*this, Menu_Mois);
    Valeur_Curseur();
    view.Index_Test = 0;
    view.Sens_Curseur = 0;
    view.Mois_Partition = 0;
    chart::setCursorQuietly(*this, chart::kToday);
    view.Ancienne_Position = chart::kToday;
    Effacer_Graph();
    view.Date_Affichee = today();
    chart::showDate(*this, view.Date_Affichee);
    Valeur_Curseur();
    Partitions_Graphiques();
    view.Date_Affichee = today();
    Mois_Sem();
    Bout_Auj.enabled = false;
    Curseur.enabled = true;
    view.Periode = 1;
    Menu_Note.enabled = false;
    // Only the month number is compared: an oldest test in the same month of
    // an earlier year still leaves no earlier month to show.
    const auto oldest = chart::oldestDay(journal);
    if (!oldest || chart::monthOfDay(*oldest) == today().month()) Curseur.enabled = false;
}

void Chart::Menu_Annee_Click() {
    if (!Menu_Annee.checked) Choix_Annee();
}

void Chart::Choix_Annee() {
    checkOnly(*this, Menu_Annee);
    Effacer_Graph();
    Partitions_Graphiques();
    view.Mois_Partition = 0;
    view.Curseur_Actif = 0;
    Curseur.setValue(chart::kToday);
    view.Ancienne_Position = chart::kToday;
    Valeur_Curseur();
    view.Curseur_Actif = 1;
    const int32_t days = historyDays(*this);
    if (journal.Nb_Tests > 0 && days <= Qte_Jrs_Annee(view.Date_Affichee))
        view.Position_Min = chart::kWeekOrigin - days;
    Ligne_Premiere();
    Bout_Auj_Click();
    view.Sens_Curseur = 0;
    Mois_Sem();
    Bout_Auj.enabled = false;
    Curseur.enabled = view.Qte_Jrs_Historique > Qte_Jrs_Annee(view.Date_Affichee);
    view.Periode = 12;
    view.Mois_Partition = 0;
    view.Ancienne_Position = Curseur.value();
    Menu_Note.enabled = false;
    const auto oldest = chart::oldestDay(journal);
    if (!oldest || DateTime::fromDays(*oldest).year() == today().year()) Curseur.enabled = false;
}

// Start-up with tests in the journal: the view and the chart walk start
// afresh on today.
void Chart::Reset() {
    chart::showDate(*this, today());
    chart::readBackDate(*this);
    view.Ligne_Suivante = 1;
    view.Premiere_Ligne = 1;
    view.Index_Test = 0;
    view.Qte_Tests_Partition = 0;
    view.No_Partition = 0;
    view.Ancienne_Position = chart::kToday;
    chart::setCursorQuietly(*this, chart::kToday);
}

}  // namespace dx
