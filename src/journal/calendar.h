#pragma once

// Month and year lengths for the chart's period arithmetic. They work on
// dates as day numbers: adding days moves by calendar days.

#include <cstdint>
#include <optional>

#include "platform/datetime.h"

namespace dx {

// Days of the month of La_Date (28 to 31).
int Qte_Jrs_Dans_Mois(DateTime La_Date);
// Days of the month before the month of La_Date.
int Qte_Jours_Dans_Mois_Prec(DateTime La_Date);
// Moves La_Date 35 days on, then back to the last day of the month before the
// one reached, and returns that day of the month. From the last day of a
// month this is the next month's length (and its last day); from day 24 or
// earlier it is the date's own month.
int Qte_Jours_Dans_Mois_Suiv(DateTime& La_Date);

// 365 or 366 for the year next to La_Date's year: the year before when the
// last cursor move went back (sensCurseur 1), the year after otherwise. Only
// divisibility by 4 counts, and a leap year counts as such only when the
// oldest test lies on or before 28 February of a year up to it (the three
// parts compared one by one); with no oldest test the year has 365 days.
int yearLengthNextTo(DateTime La_Date, int16_t sensCurseur, std::optional<DateTime> oldest);

}  // namespace dx
