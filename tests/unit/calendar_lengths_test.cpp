#include <gtest/gtest.h>

#include "journal/calendar.h"

namespace dx {
namespace {

DateTime d(int y, int m, int day) { return DateTime::fromParts(y, m, day); }

TEST(CalendarLengths, DaysOfTheDatesMonth) {
    for (int day = 1; day <= 29; ++day) EXPECT_EQ(Qte_Jrs_Dans_Mois(d(2000, 2, day)), 29);
    EXPECT_EQ(Qte_Jrs_Dans_Mois(d(1999, 2, 1)), 28);
    EXPECT_EQ(Qte_Jrs_Dans_Mois(d(1999, 2, 28)), 28);
    for (int day : {1, 15, 31}) EXPECT_EQ(Qte_Jrs_Dans_Mois(d(1999, 12, day)), 31);
    EXPECT_EQ(Qte_Jrs_Dans_Mois(d(2000, 4, 30)), 30);
}

TEST(CalendarLengths, DaysOfThePreviousMonth) {
    EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(d(2000, 3, 15)), 29);
    EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(d(2000, 1, 1)), 31);
    EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(d(1999, 5, 31)), 30);
}

TEST(CalendarLengths, NextMonthWalksFromLastDayToLastDay) {
    DateTime date = d(1999, 1, 31);
    EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 28);
    EXPECT_EQ(date, d(1999, 2, 28));
    EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 31);
    EXPECT_EQ(date, d(1999, 3, 31));
}

TEST(CalendarLengths, NextMonthFromEarlyDayGivesItsOwnMonth) {
    DateTime date = d(2000, 1, 1);
    EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 31);
    EXPECT_EQ(date, d(2000, 1, 31));
    date = d(2000, 2, 24);
    EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), 29);
    EXPECT_EQ(date, d(2000, 2, 29));
}

TEST(CalendarLengths, YearNextToTheDateFollowsTheMoveAndTheOldestTest) {
    const auto early = std::optional<DateTime>(d(1998, 2, 28));
    // Forward (or no move): the year after. 1999 + 1 = 2000 is divisible by 4.
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, early), 366);
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 0, early), 366);
    EXPECT_EQ(yearLengthNextTo(d(1998, 6, 1), 2, early), 365);
    // Back: the year before. 2001 - 1 = 2000.
    EXPECT_EQ(yearLengthNextTo(d(2001, 6, 1), 1, early), 366);
    EXPECT_EQ(yearLengthNextTo(d(2000, 6, 1), 1, early), 365);
    // The oldest test's three parts are compared one by one.
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, d(2000, 2, 28)), 366);
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, d(2000, 2, 29)), 365);
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, d(2000, 3, 1)), 365);
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, d(1990, 1, 29)), 365);
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, d(2001, 1, 1)), 365);
    // No oldest test: 365.
    EXPECT_EQ(yearLengthNextTo(d(1999, 6, 1), 2, std::nullopt), 365);
}

TEST(CalendarLengths, CenturiesCountAsLeapYears) {
    const auto old = std::optional<DateTime>(d(1800, 1, 1));
    EXPECT_EQ(yearLengthNextTo(d(1899, 6, 1), 2, old), 366);
    EXPECT_EQ(yearLengthNextTo(d(2099, 6, 1), 2, old), 366);
}

}  // namespace
}  // namespace dx
