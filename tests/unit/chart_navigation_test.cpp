#include "chart_fixture.h"

namespace dx::chart_test {
namespace {

using NavigationTest = ChartTest;

// Today Saturday 8 January 2000, tests on show and a month of history.
const std::vector<Record> kMonthOfHistory = {{"2000-01-08", "10:00", "05.0", ""},
                                             {"2000-01-04", "10:00", "06.0", ""},
                                             {"1999-12-28", "10:00", "07.0", ""},
                                             {"1999-12-08", "10:00", "08.0", ""}};

TEST_F(NavigationTest, BackOneStepContinuesThePreviousRightmostDay) {
    start({{"2000-01-08", "10:00", "05.0", ""},
           {"2000-01-08", "09:00", "10.0", ""},
           {"2000-01-07", "10:00", "06.0", ""},
           {"1999-12-01", "10:00", "07.0", ""}});
    ASSERT_EQ(w->view.Y_Premiere_Partition, 780);
    scroll(32766);
    const auto segs = segments();
    ASSERT_FALSE(segs.empty());
    EXPECT_FLOAT_EQ(segs[0].y2, 780);
    expectContinuous(segs);
}

TEST_F(NavigationTest, PageBackContinuesWhereThePreviousChartEnded) {
    start({{"2000-01-08", "10:00", "05.0", ""},
           {"2000-01-01", "10:00", "10.0", ""},
           {"1999-12-31", "10:00", "06.0", ""},
           {"1999-12-01", "10:00", "07.0", ""}});
    scroll(32766);
    scroll(32766);                                 // no move
    ASSERT_EQ(w->view.Y_Derniere_Partition, 780);  // 1 January, the week's leftmost day
    scroll(32759);
    EXPECT_EQ(shown(), "1999-12-31");
    const auto segs = segments();
    ASSERT_FALSE(segs.empty());
    EXPECT_EQ(segs[0].color, colour::kYellow);
    EXPECT_FLOAT_EQ(segs[0].y1, 988);
    EXPECT_FLOAT_EQ(segs[0].y2, 780);
}

TEST_F(NavigationTest, DragBeyondALongHistoryStopsOnTheOldestWeek) {
    start(kMonthOfHistory);
    scroll(0);
    EXPECT_EQ(w->Curseur.value(), w->view.Position_Min);
    EXPECT_EQ(w->view.Position_Min, 32773 - 31);
    EXPECT_EQ(w->view.Date_Debut, day(1999, 12, 8));
    EXPECT_EQ(shown(), "1999-12-14");
    // Further back changes nothing and leaves the old position behind.
    const int32_t old = w->view.Ancienne_Position;
    const std::string caption = shown();
    scrollBy(-1);
    EXPECT_EQ(shown(), caption);
    EXPECT_EQ(w->view.Ancienne_Position, old);
}

TEST_F(NavigationTest, MonthViewStepsWholeMonths) {
    start({{"2000-02-10", "10:00", "05.0", ""},
           {"2000-01-20", "10:00", "06.0", ""},
           {"1999-12-05", "10:00", "07.0", ""}},
          DateTime::fromParts(2000, 2, 10, 12));
    w->click("Menu_Mois");
    EXPECT_TRUE(w->Curseur.enabled);
    EXPECT_EQ(w->Curseur.smallChange, 10);
    EXPECT_EQ(w->Aff_Nom_Mois.caption, "FEBRUARY");
    EXPECT_EQ(w->Aff_Mois_Dernier_Jr.caption, "10");
    scrollBy(-3);  // any size: the previous month to its last day
    EXPECT_EQ(shown(), "2000-01-31");
    EXPECT_EQ(w->Aff_Nom_Mois.caption, "JANUARY");
    EXPECT_EQ(w->Aff_Mois_Dernier_Jr.caption, "31");
    EXPECT_EQ(w->view.Qte_Resultats, 1);
    scrollBy(-w->Curseur.smallChange);
    EXPECT_EQ(shown(), "1999-12-31");
    EXPECT_FALSE(w->Curseur.enabled);  // the oldest month is on show
    EXPECT_EQ(w->view.Qte_Resultats, 1);
    w->Curseur.enabled = true;
    scrollBy(1);  // from a month's last day: the next month to its last day
    EXPECT_EQ(shown(), "2000-01-31");
    scrollBy(1);  // then the current month up to today
    EXPECT_EQ(shown(), "2000-02-10");
    EXPECT_EQ(w->Curseur.value(), 32767);
    EXPECT_FALSE(w->Bout_Auj.enabled);
}

TEST_F(NavigationTest, MonthViewDisabledWhenTheOldestTestHasTodaysMonthNumber) {
    start({{"2000-01-08", "10:00", "05.0", ""}, {"1999-01-20", "10:00", "06.0", ""}});
    w->click("Menu_Mois");
    EXPECT_FALSE(w->Curseur.enabled);
}

TEST_F(NavigationTest, YearViewFirstTroughClickGoesBackAYearThenToAMonthEnd) {
    start({{"2000-01-08", "10:00", "05.0", ""}, {"1998-06-01", "10:00", "06.0", ""}});
    w->click("Menu_Annee");
    EXPECT_TRUE(w->Curseur.enabled);
    ASSERT_EQ(w->Curseur.largeChange, 365);
    scrollBy(-365);
    EXPECT_EQ(w->Curseur.value(), 32402);
    EXPECT_EQ(shown(), "1998-12-31");
    EXPECT_EQ(w->Aff_Mois[12]->caption, "DEC");
    scrollBy(-w->Curseur.smallChange);
    EXPECT_EQ(shown(), "1998-11-30");
    scrollBy(1);
    EXPECT_EQ(shown(), "1998-12-31");
}

TEST_F(NavigationTest, YearViewScrollbarNeedsMoreThanAYearOfHistory) {
    start({{"2000-01-08", "10:00", "05.0", ""}, {"1999-01-08", "10:00", "06.0", ""}});
    w->click("Menu_Annee");
    EXPECT_FALSE(w->Curseur.enabled);
    w.reset();
    start({{"2000-01-08", "10:00", "05.0", ""}, {"1999-01-07", "10:00", "06.0", ""}});
    w->click("Menu_Annee");
    EXPECT_TRUE(w->Curseur.enabled);
}

TEST_F(NavigationTest, PeriodSwitchesEndAtTodayAndRepeatingOneChangesNothing) {
    start(kMonthOfHistory);
    scroll(32760);
    for (const char* menu : {"Menu_Mois", "Menu_Annee", "Menu_Sem"}) {
        w->click(menu);
        EXPECT_EQ(shown(), "2000-01-08") << menu;
        EXPECT_EQ(w->Curseur.value(), 32767) << menu;
        EXPECT_EQ(w->view.Ancienne_Position, 32767) << menu;
        EXPECT_FALSE(w->Bout_Auj.enabled) << menu;
    }
    const auto before = segments().size();
    w->view.Index_Test = 3;
    w->click("Menu_Sem");
    EXPECT_EQ(w->view.Index_Test, 3);
    EXPECT_EQ(segments().size(), before);
}

TEST_F(NavigationTest, EmptyJournalKeepsTheScrollbarDisabled) {
    start({});
    EXPECT_FALSE(w->Curseur.enabled);
    EXPECT_EQ(shown(), "2000-01-08");
    EXPECT_TRUE(segments().empty());
    // A value set by the program reaches the handler, which only follows it.
    w->Curseur.setValue(32000);
    EXPECT_EQ(w->view.Ancienne_Position, 32000);
    EXPECT_EQ(shown(), "2000-01-08");
}

}  // namespace
}  // namespace dx::chart_test
