#include "journal/calendar.h"

#include "journal/journal.h"

namespace dx {

// A year view works these out a few dozen times per drawing: each takes the
// date's year and month once and looks the length up.
int Qte_Jrs_Dans_Mois(DateTime La_Date) {
    int year = 0, month = 0, day = 0;
    civilFromDays(La_Date.day(), year, month, day);
    return daysInMonth(year, month);
}

int Qte_Jours_Dans_Mois_Prec(DateTime La_Date) {
    int year = 0, month = 0, day = 0;
    civilFromDays(La_Date.day(), year, month, day);
    return daysInPreviousMonth(year, month);
}

int Qte_Jours_Dans_Mois_Suiv(DateTime& La_Date) {
    La_Date = La_Date.addDays(35);
    La_Date = La_Date.addDays(-La_Date.dayOfMonth());
    return La_Date.dayOfMonth();
}

int yearLengthNextTo(DateTime La_Date, int16_t sensCurseur, std::optional<DateTime> oldest) {
    const int k = sensCurseur == 1 ? -1 : 1;
    const int t = La_Date.year() + k;
    if (t % 4 != 0) return 365;
    if (!oldest) return 365;
    const bool leap = oldest->year() <= t && oldest->month() <= 2 && oldest->dayOfMonth() <= 28;
    return leap ? 366 : 365;
}

}  // namespace dx
