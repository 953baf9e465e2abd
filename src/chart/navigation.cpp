#include "chart/chart.h"
#include "chart/chart_walk.h"
#include "journal/calendar.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx {

using chart::Period;

namespace {

// Setting the scrollbar from inside its change handler runs the handler
// again at once, nested, for the new value; every step below reads the value
// afresh, as it stands when the nested run has returned.
int value(const Chart& w) { return w.Curseur.value(); }

// The limits of a move: refused, clamped to the oldest position, or the
// scrollbar disabled. False when the handler stops here.
bool applyLimits(Chart& w, Period period, int64_t oldest) {
    ChartState& v = w.view;
    const int64_t history = w.today().day() - oldest;
    if (v.Ancienne_Position - value(w) > history) {
        if (history <= 7) {
            w.Curseur.enabled = false;
            return false;
        }
        w.Curseur.setValue(v.Position_Min);
    }
    if (period == Period::Year && value(w) < v.Position_Min)
        w.Curseur.setValue(v.Ancienne_Position);
    if (period == Period::Year && value(w) == chart::kToday - 365) {
        const int q = w.Qte_Jrs_Annee(v.Date_Affichee);
        if (v.Date_Affichee.addDays(-q).year() >= DateTime::fromDays(oldest).year()) {
            chart::showDate(w, v.Date_Affichee.addDays(-w.Qte_Jrs_Annee(v.Date_Affichee)));
            chart::readBackDate(w);
        } else {
            w.Curseur.setValue(v.Position_Min);
        }
    }
    if (period == Period::Month && value(w) <= v.Position_Min &&
        v.Ancienne_Position != chart::kToday)
        w.Curseur.setValue(v.Ancienne_Position);
    if (period == Period::Week && value(w) < v.Position_Min && v.Partitions_Restantes != 0) {
        w.Curseur.setValue(v.Position_Min);
        v.Ancienne_Position = v.Position_Min;
    }
    return true;
}

// The year view: every move changes the anchor by one month in its
// direction (a first trough click back has already gone back a year).
void moveYear(Chart& w, int64_t oldest) {
    ChartState& v = w.view;
    chart::readBackDate(w);
    if (v.Sens_Curseur == 1) {
        if (v.Pas_Curseur < -1) {
            chart::showDate(w, v.Date_Affichee.addDays(-v.Date_Affichee.dayOfMonth()));
            chart::readBackDate(w);
        }
        v.Mois_Partition = v.Date_Affichee.month();
        v.Index_Test = 0;
    } else if (chart::showsToday(w)) {
        w.Ligne_Premiere();
        v.Index_Test = 0;
    } else {
        v.Index_Test = 0;
        v.Mois_Partition = v.Date_Affichee.addDays(1).month();
        Qte_Jours_Dans_Mois_Suiv(v.Date_Affichee);
        if (v.Date_Affichee >= w.today()) {
            chart::showDate(w, w.today());
            v.Date_Affichee = w.today();
            w.Bout_Auj.enabled = false;
        } else {
            chart::showDate(w, v.Date_Affichee);
        }
    }
    if (oldest > v.Date_Affichee.day()) {
        // Before the oldest test: the anchor goes one month on, no redraw.
        DateTime moved = v.Date_Affichee;
        v.Date_Affichee = v.Date_Affichee.addDays(Qte_Jours_Dans_Mois_Suiv(moved));
        chart::showDate(w, v.Date_Affichee);
        return;
    }
    w.Mois_Sem();
    chart::readBackDate(w);
}

void moveBack(Chart& w, Period period, int64_t oldest) {
    ChartState& v = w.view;
    if (oldest >= v.Date_Debut.day()) {
        // The oldest test is already on show: the oldest week stays.
        v.Date_Debut = DateTime::fromDays(oldest);
        chart::showDate(w, v.Date_Debut.addDays(v.Nb_Partitions - 1));
        v.Sens_Curseur = 0;
        v.Index_Test = w.journal.Nb_Tests;
        v.Ancienne_Position = v.Position_Min;
        w.Curseur.setValue(v.Position_Min);
        if (v.Date_Affichee > v.Date_Debut) w.Mois_Sem();
        return;
    }
    if (period == Period::Week) {
        v.Index_Test = 0;
        v.Date_Debut = v.Date_Debut.addDays(v.Pas_Curseur);
        chart::showDate(w, v.Date_Debut.addDays(v.Nb_Partitions - 1));
        chart::readBackDate(w);
    } else if (value(w) == chart::kToday) {
        chart::showDate(w, w.today());
        chart::readBackDate(w);
        w.Curseur.enabled = true;
    } else {
        v.Date_Debut = v.Date_Affichee.addDays(1 - v.Date_Affichee.dayOfMonth());
        const DateTime shown = chart::shownDate(w);
        v.Date_Affichee = shown.addDays(-shown.dayOfMonth());
        const DateTime first = DateTime::fromDays(oldest);
        if (v.Date_Affichee.month() == first.month() &&
            v.Date_Affichee.year() % 100 == first.year() % 100)
            w.Curseur.enabled = false;
    }
    chart::showDate(w, v.Date_Affichee);
    w.Mois_Sem();
}

// Reaching today puts the scrollbar on today, silently.
void arriveToday(Chart& w) {
    chart::showDate(w, w.today());
    chart::setCursorQuietly(w, chart::kToday);
    w.Bout_Auj.enabled = false;
}

void moveForward(Chart& w, Period period) {
    ChartState& v = w.view;
    chart::readBackDate(w);
    if (period == Period::Week) {
        if (v.Date_Affichee != w.today()) v.Date_Affichee = v.Date_Affichee.addDays(v.Pas_Curseur);
        if (v.Date_Affichee == w.today())
            arriveToday(w);
        else
            chart::showDate(w, v.Date_Affichee);
    } else {
        if (v.Date_Affichee != w.today()) {
            DateTime moved = v.Date_Affichee;
            v.Date_Affichee = v.Date_Affichee.addDays(Qte_Jours_Dans_Mois_Suiv(moved));
            chart::showDate(w, v.Date_Affichee);
        }
        if (v.Date_Affichee >= w.today())
            arriveToday(w);
        else
            chart::showDate(w, v.Date_Affichee);
    }
    w.Ligne_Premiere();
    v.Index_Test = 0;
    w.Mois_Sem();
}

}  // namespace

void Chart::Curseur_Change() {
    if (view.Curseur_Actif == 0) return;
    const auto oldest = chart::oldestDay(journal);
    if (!oldest) {
        // No history to move through and nothing to draw: only follow the
        // value, so that a later move is measured from it.
        view.Ancienne_Position = Curseur.value();
        return;
    }
    const Period period = chart::checkedPeriod(*this);
    if (!applyLimits(*this, period, *oldest)) return;

    Direction_Curseur();
    if (view.Sens_Curseur == 0) return;
    if (period != Period::Year && view.Sens_Curseur == 1 && view.Index_Test == journal.Nb_Tests)
        return;
    Information.caption = "";
    Bout_Auj.enabled = true;
    Valeur_Curseur();
    if (period == Period::Year && value(*this) == chart::kToday && view.Sens_Curseur == 2) {
        view.Ancienne_Position = value(*this);
        view.Mois_Partition = view.Date_Affichee.month();
    }
    view.Pas_Curseur = value(*this) - view.Ancienne_Position;
    view.Ancienne_Position = value(*this);

    if (period == Period::Year)
        moveYear(*this, *oldest);
    else if (view.Sens_Curseur == 1)
        moveBack(*this, period, *oldest);
    else
        moveForward(*this, period);
}

void Chart::Direction_Curseur() {
    const int v = Curseur.value();
    view.Sens_Curseur = v == view.Ancienne_Position ? 0 : (v < view.Ancienne_Position ? 1 : 2);
}

void Chart::Bout_Auj_Click() {
    Bout_Auj.enabled = false;
    Aujourdhui();
    Curseur.enabled = true;
}

void Chart::Aujourdhui() {
    view.Index_Test = 0;
    // The newest test, with three digits in mg/dl.
    Aff_Resultat.caption =
        formatIfNumber(journal.Taux_Test[1], isMgDl(settings.Unite) ? "000" : "00.0");
    chart::showDate(*this, today());
    chart::readBackDate(*this);
    // With Curseur_Actif unchanged: from the past, the handler finds a move
    // forward to today and redraws the chart.
    Curseur.setValue(chart::kToday);
    view.Ancienne_Position = chart::kToday;
    view.Date_Affichee = today();
    chart::showDate(*this, view.Date_Affichee);
}

}  // namespace dx
