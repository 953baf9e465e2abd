#include "chart/chart_walk.h"

#include "chart/chart.h"
#include "settings/numbers.h"

namespace dx::chart {

Period checkedPeriod(const Chart& w) {
    if (w.Menu_Sem.checked) return Period::Week;
    if (w.Menu_Mois.checked) return Period::Month;
    if (w.Menu_Annee.checked) return Period::Year;
    return Period::Week;
}

float levelY(double level, int32_t facteurUnite) {
    return static_cast<float>(1300.0 - 52.0 * (level / facteurUnite));
}

int32_t roundCoordinate(float value) { return static_cast<int32_t>(roundHalfEven(value)); }

int monthOfDay(int64_t day) {
    if (day == Journal::kNoDay) return 0;
    return DateTime::fromDays(day).month();
}

MonthSpan monthSpanOf(int64_t day) {
    int year = 0, month = 0, dayOfMonth = 0;
    civilFromDays(day, year, month, dayOfMonth);
    const int64_t first = day - (dayOfMonth - 1);
    return {first, first + daysInMonth(year, month) - 1, month};
}

int64_t dayAt(const Journal& journal, int32_t index) {
    if (index < 1 || index > journal.Nb_Tests) return Journal::kNoDay;
    return journal.dayNumber[static_cast<size_t>(index)];
}

std::optional<int64_t> oldestDay(const Journal& journal) {
    const int64_t day = dayAt(journal, journal.Nb_Tests);
    if (day == Journal::kNoDay) return std::nullopt;
    return day;
}

void showDate(Chart& w, DateTime date) { w.Aff_Date.caption = w.dateText(date); }

DateTime shownDate(const Chart& w) {
    return w.textDate(w.Aff_Date.caption).value_or(w.view.Date_Affichee);
}

void readBackDate(Chart& w) { w.view.Date_Affichee = shownDate(w); }

bool showsToday(const Chart& w) { return w.Aff_Date.caption == w.dateText(w.today()); }

void setCursorQuietly(Chart& w, int value) {
    w.view.Curseur_Actif = 0;
    w.Curseur.setValue(value);
    w.view.Curseur_Actif = 1;
}

void enableForEarlierWeek(Chart& w) {
    const auto oldest = oldestDay(w.journal);
    w.Curseur.enabled = oldest && *oldest <= w.view.Date_Affichee.addDays(-7).day();
}

}  // namespace dx::chart
