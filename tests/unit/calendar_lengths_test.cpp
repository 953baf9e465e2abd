#include <gtest/gtest.h>

#include "journal/calendar.h"

namespace dx {
namespace {

DateTime d(int y, int m, int day) { return DateTime::fromParts(y, m, day); }

TEST(CalendarLengths, DaysOfTheDatesMonthAndOfThePreviousOne) {
    for (int day = 1; day <= 29; ++day) EXPECT_EQ(Qte_Jrs_Dans_Mois(d(2000, 2, day)), 29) << day;
    for (auto [date, days] : {std::pair{d(1999, 2, 1), 28}, {d(1999, 2, 28), 28}, {d(1999, 12, 1), 31},
                              {d(1999, 12, 31), 31}, {d(2000, 4, 30), 30}})
        EXPECT_EQ(Qte_Jrs_Dans_Mois(date), days) << date.iso();
    for (auto [date, days] : {std::pair{d(2000, 3, 15), 29}, {d(2000, 1, 1), 31}, {d(1999, 5, 31), 30}})
        EXPECT_EQ(Qte_Jours_Dans_Mois_Prec(date), days) << date.iso();
}

// From a month's last day the next month runs to its last day; from an
// earlier day, the date's own month does.
TEST(CalendarLengths, NextMonthMovesTheDateToTheLastDayOfTheMonthItCounts) {
    struct Case {
        DateTime from;
        int days;
        DateTime to;
    };
    for (const Case& c : {Case{d(1999, 1, 31), 28, d(1999, 2, 28)}, {d(1999, 2, 28), 31, d(1999, 3, 31)},
                          {d(2000, 1, 1), 31, d(2000, 1, 31)}, {d(2000, 2, 24), 29, d(2000, 2, 29)}}) {
        DateTime date = c.from;
        EXPECT_EQ(Qte_Jours_Dans_Mois_Suiv(date), c.days) << c.from.iso();
        EXPECT_EQ(date, c.to) << c.from.iso();
    }
}

TEST(CalendarLengths, YearNextToTheDateFollowsTheMoveAndTheOldestTest) {
    struct Case {
        DateTime date;
        int move;
        std::optional<DateTime> oldest;
        int days;
    };
    const Case cases[] = {
        // Forward (or no move): the year after. 1999 + 1 = 2000 is divisible by 4.
        {d(1999, 6, 1), 2, d(1998, 2, 28), 366}, {d(1999, 6, 1), 0, d(1998, 2, 28), 366},
        {d(1998, 6, 1), 2, d(1998, 2, 28), 365},
        // Back: the year before. 2001 - 1 = 2000.
        {d(2001, 6, 1), 1, d(1998, 2, 28), 366}, {d(2000, 6, 1), 1, d(1998, 2, 28), 365},
        // The oldest test's three parts are compared one by one.
        {d(1999, 6, 1), 2, d(2000, 2, 28), 366}, {d(1999, 6, 1), 2, d(2000, 2, 29), 365},
        {d(1999, 6, 1), 2, d(2000, 3, 1), 365}, {d(1999, 6, 1), 2, d(1990, 1, 29), 365},
        {d(1999, 6, 1), 2, d(2001, 1, 1), 365},
        // No oldest test: 365.
        {d(1999, 6, 1), 2, std::nullopt, 365},
        // Centuries count as leap years.
        {d(1899, 6, 1), 2, d(1800, 1, 1), 366}, {d(2099, 6, 1), 2, d(1800, 1, 1), 366},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yearLengthNextTo(c.date, c.move, c.oldest), c.days)
            << c.date.iso() << " move " << c.move << " oldest "
            << (c.oldest ? c.oldest->iso() : "none");
}

}  // namespace
}  // namespace dx
