#include "chart/chart.h"
#include "chart/chart_walk.h"
#include "journal/calendar.h"
#include "platform/text.h"

namespace dx {

using chart::Period;

namespace {

std::string initials(const std::string& name, int count) {
    return upperCase(utf8Left(name, count));
}

// A calendar date, for stepping over a few days without converting the day
// number each time.
struct CivilDate {
    int year = 0, month = 0, day = 0;

    explicit CivilDate(DateTime date) { civilFromDays(date.day(), year, month, day); }
    CivilDate plusDays(int days) const {
        CivilDate c = *this;
        c.day += days;
        while (c.day > daysInMonth(c.year, c.month)) {
            c.day -= daysInMonth(c.year, c.month);
            if (++c.month > 12) {
                c.month = 1;
                ++c.year;
            }
        }
        return c;
    }
};

// Twelve month initials ending with the anchor's month. Each label steps on
// by the length of the month the running day enters, so an anchor late in a
// month can skip a month or end one month later.
void labelYear(Chart& w) {
    const DateTime anchor = w.view.Date_Affichee;
    const int y = w.Qte_Jrs_Annee(anchor);
    CivilDate d(anchor.addDays(y == 366 && anchor.month() > 2 ? -366 : -365));
    for (int i = 1; i <= 12; ++i) {
        Label& label = *w.Aff_Mois[static_cast<size_t>(i)];
        label.visible = true;
        if (d.plusDays(daysInPreviousMonth(d.year, d.month)).month == 1)
            label.fore = i == 12 ? colour::kYellow : colour::kDarkRed;
        else
            label.fore = i < 12 ? colour::kDarkBlue : colour::kYellow;
        const CivilDate dayAfter = d.plusDays(1);
        const CivilDate next = d.plusDays(daysInMonth(dayAfter.year, dayAfter.month));
        label.caption = initials(w.locale.monthAbbrev(next.month), i == 12 ? 3 : 1);
        d = next;
    }
}

// One month from day 1 to the anchor's day: the whole month when the anchor
// is its last day, the month so far when it is today.
void labelMonth(Chart& w) {
    const DateTime anchor = w.view.Date_Affichee;
    w.Aff_Nom_Mois.visible = true;
    w.Aff_Nom_Mois.caption = upperCase(w.locale.monthFull(anchor.month()));
    w.Aff_Mois_Jr1.visible = true;
    w.Aff_Mois_Dernier_Jr.visible = true;
    const int m = Qte_Jours_Dans_Mois_Prec(anchor.addMonths(1));
    const DateTime shown = chart::shownDate(w);
    w.Aff_Mois_Dernier_Jr.caption =
        std::to_string(m != shown.dayOfMonth() ? anchor.dayOfMonth() : m);
    if (chart::showsToday(w)) w.Aff_Mois_Dernier_Jr.caption = std::to_string(shown.dayOfMonth());
}

// Two-letter day names, label 1 the first of the seven days shown and the
// last label the anchor's own weekday.
void labelWeek(Chart& w) {
    const DateTime anchor = w.view.Date_Affichee;
    const int32_t count = w.view.Nb_Partitions;
    DateTime d = anchor;
    for (int i = 1; i <= count && i < static_cast<int>(w.Aff_Jour.size()); ++i) {
        Label& label = *w.Aff_Jour[static_cast<size_t>(i)];
        label.visible = true;
        const int weekday = d.addDays(1).weekday();
        label.fore = weekday == 1 ? colour::kDarkRed : colour::kDarkBlue;
        if (count < static_cast<int>(w.Aff_Jour.size()) && w.Aff_Jour[static_cast<size_t>(count)])
            w.Aff_Jour[static_cast<size_t>(count)]->fore = colour::kYellow;
        label.caption = initials(w.locale.dayAbbrev(weekday), 2);
        d = anchor.addDays(i);
    }
    w.view.Date_Debut = chart::shownDate(w).addDays(-(count - 1));
}

}  // namespace

// The one entry point of every redraw: the axis labels of the checked
// period, then the tests, for the period ending at the date of Aff_Date.
void Chart::Mois_Sem() {
    if (view.Curseur_Actif == 1) Effacer_Graph();
    Effacer_Titre_AxeX();
    switch (chart::checkedPeriod(*this)) {
        case Period::Year:
            labelYear(*this);
            break;
        case Period::Month:
            labelMonth(*this);
            break;
        case Period::Week:
            labelWeek(*this);
            break;
    }
    chart::readBackDate(*this);
    Graphiques();
}

}  // namespace dx
