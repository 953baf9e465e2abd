// The chart: the chain of segments as the views move, its labels, the
// summary of results and the level on show.

#include <random>

#include "chart/chart_walk.h"
#include "settings/numbers.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

class ChartTest : public WindowTest {
protected:
    void startOn(const std::vector<Record>& tests,
                 DateTime now = DateTime::fromParts(2000, 1, 8, 12), int unite = 0) {
        sp.clock.set(now);
        start(tests, unite);
    }
    // The segments on the chart, in drawing order (element 1 first).
    std::vector<Line> segments() const {
        std::vector<Line> out;
        for (size_t i = 1; i < static_cast<size_t>(std::max(w->view.Ligne_Suivante, 1)); ++i)
            if (i < w->Ligne.size() && w->Ligne[i]) out.push_back(*w->Ligne[i]);
        return out;
    }
    std::string shown() const { return w->Aff_Date.caption; }
    void scroll(int value) { w->userScroll(value); }
    void scrollBy(int delta) { w->userScroll(w->Curseur.value() + delta); }
};

// The chain is one polyline read from right to left: every segment starts
// at the right edge or where its right-hand neighbour ended.
void expectContinuous(const std::vector<Line>& segs, const std::string& where = "") {
    for (size_t i = 1; i < segs.size(); ++i) {
        EXPECT_FLOAT_EQ(segs[i].x2, segs[i - 1].x1) << where << " segment " << i + 1;
        EXPECT_FLOAT_EQ(segs[i].y2, segs[i - 1].y1) << where << " segment " << i + 1;
        EXPECT_LT(segs[i].x1, segs[i].x2) << where;
    }
}

// A move back starts the chain at the height where the previous chart's
// neighbouring day stood: one day back, at the previous rightmost day; a
// page back, where the previous chart ended.
TEST_F(ChartTest, MovesBackContinueTheChainOfThePreviousChart) {
    startOn({{"2000-01-08", "10:00", "05.0", ""},
             {"2000-01-08", "09:00", "10.0", ""},
             {"2000-01-07", "10:00", "06.0", ""},
             {"1999-12-01", "10:00", "07.0", ""}});
    ASSERT_EQ(w->view.Y_Premiere_Partition, 780);
    scroll(32766);
    auto segs = segments();
    ASSERT_FALSE(segs.empty());
    EXPECT_FLOAT_EQ(segs[0].y2, 780);
    expectContinuous(segs);

    startOn({{"2000-01-08", "10:00", "05.0", ""},
             {"2000-01-01", "10:00", "10.0", ""},
             {"1999-12-31", "10:00", "06.0", ""},
             {"1999-12-01", "10:00", "07.0", ""}});
    scroll(32766);
    scroll(32766);                                 // no move
    ASSERT_EQ(w->view.Y_Derniere_Partition, 780);  // 1 January, the week's leftmost day
    scroll(32759);
    EXPECT_EQ(shown(), "1999-12-31");
    segs = segments();
    ASSERT_FALSE(segs.empty());
    EXPECT_EQ(segs[0].color, colour::kYellow);
    EXPECT_FLOAT_EQ(segs[0].y1, 988);
    EXPECT_FLOAT_EQ(segs[0].y2, 780);
}

TEST_F(ChartTest, ForwardMoveIntoThePastRunsTheFirstSegmentToTheLaterTest) {
    startOn({{"2000-01-08", "10:00", "10.0", ""},
             {"2000-01-01", "10:00", "05.0", ""},
             {"1999-12-01", "10:00", "06.0", ""}});
    scroll(32767 - 10);
    scroll(32767 - 7);  // anchor 1 January, later test on 8 January
    ASSERT_EQ(shown(), "2000-01-01");
    const auto segs = segments();
    ASSERT_FALSE(segs.empty());
    EXPECT_FLOAT_EQ(segs[0].y1, 1040);
    EXPECT_FLOAT_EQ(segs[0].y2, 780);
}

TEST_F(ChartTest, EmptyWeekBridgedAtTheEarliestLaterTest) {
    startOn({{"2000-01-08", "10:00", "05.0", ""}, {"1999-12-01", "10:00", "09.0", ""}});
    scroll(32767 - 7);
    const auto segs = segments();
    ASSERT_EQ(segs.size(), 7u);
    for (const Line& l : segs) {
        EXPECT_EQ(l.color, colour::kCyan);
        EXPECT_FLOAT_EQ(l.y1, 1040);
    }
    EXPECT_EQ(w->Aff_Heure.caption, "");
    expectContinuous(segs);
}

TEST_F(ChartTest, DragBeyondALongHistoryStopsOnTheOldestWeek) {
    startOn({{"2000-01-08", "10:00", "05.0", ""},
             {"2000-01-04", "10:00", "06.0", ""},
             {"1999-12-08", "10:00", "08.0", ""}});
    scroll(0);
    EXPECT_EQ(w->Curseur.value(), w->view.Position_Min);
    EXPECT_EQ(w->view.Position_Min, 32773 - 31);
    EXPECT_EQ(w->view.Date_Debut, day(1999, 12, 8));
    EXPECT_EQ(shown(), "1999-12-14");
    // Further back changes nothing and leaves the old position behind.
    const int32_t old = w->view.Ancienne_Position;
    scrollBy(-1);
    EXPECT_EQ(shown(), "1999-12-14");
    EXPECT_EQ(w->view.Ancienne_Position, old);

    // Any period chosen from the past comes back to today; choosing the
    // period on show again redraws nothing.
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

TEST_F(ChartTest, MonthViewGoesForwardFromAMonthsLastDayToTheNextOnesThenToToday) {
    startOn({{"2000-02-10", "10:00", "05.0", ""},
             {"2000-01-20", "10:00", "06.0", ""},
             {"1999-12-05", "10:00", "07.0", ""}},
            DateTime::fromParts(2000, 2, 10, 12));
    w->click("Menu_Mois");
    scrollBy(-3);  // any size: the previous month to its last day
    scrollBy(-w->Curseur.smallChange);
    EXPECT_EQ(shown(), "1999-12-31");
    EXPECT_FALSE(w->Curseur.enabled);  // the oldest month is on show
    EXPECT_EQ(w->view.Qte_Resultats, 1);
    w->Curseur.enabled = true;
    scrollBy(1);
    EXPECT_EQ(shown(), "2000-01-31");
    EXPECT_EQ(w->Aff_Mois_Dernier_Jr.caption, "31");
    scrollBy(1);
    EXPECT_EQ(shown(), "2000-02-10");
    EXPECT_EQ(w->Curseur.value(), 32767);
    EXPECT_FALSE(w->Bout_Auj.enabled);
}

TEST_F(ChartTest, MonthAndYearScrollbarsNeedAnEarlierMonthOrYear) {
    // The month view compares month numbers only; the year view needs more
    // than a year of history.
    for (auto [menu, oldest, enabled] : {std::tuple{"Menu_Mois", "1999-01-20", false},
                                         {"Menu_Annee", "1999-01-08", false},
                                         {"Menu_Annee", "1999-01-07", true}}) {
        startOn({{"2000-01-08", "10:00", "05.0", ""}, {oldest, "10:00", "06.0", ""}});
        w->click(menu);
        EXPECT_EQ(w->Curseur.enabled, enabled) << menu << " " << oldest;
    }
}

TEST_F(ChartTest, TenTestsOfAMonthShareItsWidth) {
    std::vector<Record> tests;
    for (int i = 0; i < 10; ++i)
        tests.push_back({"2000-01-0" + std::to_string(8 - i / 2), "10:00", "06.0", ""});
    tests.push_back({"1999-12-30", "10:00", "09.0", ""});
    startOn(tests);
    w->click("Menu_Mois");
    const auto segs = segments();
    ASSERT_EQ(segs.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(segs[i].x2 - segs[i].x1, 365) << i;
        EXPECT_EQ(segs[i].color, colour::kYellow) << i;
    }
    EXPECT_FLOAT_EQ(segs[9].x1, 0);
    expectContinuous(segs);
}

// After a move the year view's months end on their last day: a test made
// on that day is drawn in its month, not passed over.
TEST_F(ChartTest, YearViewAfterAMoveKeepsTestsOfAMonthsLastDay) {
    startOn({{"2000-03-10", "10:00", "05.0", ""},
             {"2000-02-29", "10:00", "06.0", ""},
             {"2000-01-31", "10:00", "07.0", ""},
             {"1998-12-01", "10:00", "08.0", ""}},
            DateTime::fromParts(2000, 3, 15, 12));
    w->click("Menu_Annee");
    scrollBy(-w->Curseur.smallChange);
    ASSERT_EQ(shown(), "2000-02-29");
    const auto segs = segments();
    ASSERT_GE(segs.size(), 2u);
    EXPECT_EQ(segs[0].color, colour::kYellow);
    EXPECT_FLOAT_EQ(segs[0].y1, 988);
    EXPECT_EQ(segs[1].color, colour::kYellow);
    EXPECT_FLOAT_EQ(segs[1].y1, 936);
    expectContinuous(segs);
}

TEST_F(ChartTest, MgDlLevelsUseTheSameScaleAndTheirBoundsBelongToTheUpperBand) {
    startOn({{"2000-01-08", "10:00", "126", ""},
             {"2000-01-08", "09:00", "072", ""},
             {"2000-01-08", "08:00", "180", ""},
             {"2000-01-08", "07:00", "071", ""}},
            DateTime::fromParts(2000, 1, 8, 12), 1);
    const auto segs = segments();
    ASSERT_EQ(segs.size(), 4u);
    EXPECT_FLOAT_EQ(segs[0].y1, 936);
    EXPECT_FLOAT_EQ(segs[1].y1, 1092);
    EXPECT_FLOAT_EQ(w->Objectif1.y1, 936);
    EXPECT_FLOAT_EQ(w->Objectif2.y1, 1092);
    EXPECT_EQ(w->Aff_Res_Optim.caption + w->Aff_Res_Sub_Optim.caption + w->Aff_Res_Compro.caption,
              "111");
    EXPECT_EQ(w->Cadre_Resultats.caption, "4 results");
}

// Random journals, every period, a few positions: the chain stays one
// polyline and the summary counts exactly the yellow segments, band by band.
TEST_F(ChartTest, ChainContinuousAndSummaryMatchesYellowSegments) {
    std::mt19937 rng(7);
    std::vector<Record> tests;
    int64_t dayNo = day(2000, 6, 30).day();
    for (int i = 0; i < 300; ++i) {
        dayNo -= std::uniform_int_distribution<int>(0, 3)(rng);
        const double level = std::uniform_int_distribution<int>(20, 160)(rng) / 10.0;
        tests.push_back(
            {DateTime::fromDays(dayNo).iso(), "10:00", formatNumber(level, "00.0"), ""});
    }
    startOn(tests, DateTime::fromParts(2000, 6, 30, 12));
    auto check = [&](const std::string& where) {
        const auto segs = segments();
        expectContinuous(segs, where);
        int yellow = 0, optimal = 0, sub = 0, compro = 0;
        for (const Line& l : segs) {
            if (l.color != colour::kYellow) continue;
            ++yellow;
            if (l.y1 <= 780)
                ++compro;
            else if (l.y1 <= 936)
                ++sub;
            else if (l.y1 <= 1092)
                ++optimal;
        }
        const auto count = [](const Label& l) {
            return l.caption.empty() ? 0 : std::stoi(l.caption);
        };
        EXPECT_EQ(w->view.Qte_Resultats, yellow) << where;
        EXPECT_EQ(count(w->Aff_Res_Optim), optimal) << where;
        EXPECT_EQ(count(w->Aff_Res_Sub_Optim), sub) << where;
        EXPECT_EQ(count(w->Aff_Res_Compro), compro) << where;
    };
    for (const char* menu : {"Menu_Sem", "Menu_Annee", "Menu_Mois", "Menu_Sem"}) {
        w->click(menu);
        check(std::string(menu) + " today");
        for (int step = 0; step < 6; ++step) {
            scrollBy(step % 2 ? -w->Curseur.largeChange : -w->Curseur.smallChange);
            check(std::string(menu) + " back " + std::to_string(step) + " " + shown());
        }
        scrollBy(w->Curseur.smallChange);
        check(std::string(menu) + " forward " + shown());
    }
}

// Elements left above the top by an erase never come back as loaded, and a
// load past the top leaves the elements between it and the top missing.
TEST(SegmentChain, LinesAboveTheTopOfTheArrayDoNotExist) {
    dx::LineArray lines(dx::Line{1, 1, 1, 1, {}, 1, false});
    const dx::Line line{2, 2, 2, 2, {}, 1, true};
    lines.loadRun(1, 5, line, [](size_t k) {
        const auto x = static_cast<float>(k);
        return dx::LineArray::Ends{x, x, x, x};
    });
    EXPECT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.firstMissing(5), 6u);
    lines.unloadAndTrim(1, 6);  // the whole drawing
    EXPECT_EQ(lines.size(), 1u);
    lines.load(4, line);
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_FALSE(lines[2]);
    EXPECT_EQ(lines.firstMissing(4), 1u);
    EXPECT_EQ(lines.loaded(), 1u);
    lines.loadRun(3, 4, line, [](size_t) { return dx::LineArray::Ends{}; });
    EXPECT_EQ(lines.loaded(), 4u);  // 3 to 6, the 4 among them counted once
    EXPECT_EQ(lines.firstMissing(6), 1u);
    lines.unloadAndTrim(3, 7);
    EXPECT_EQ(lines.size(), 1u);
}

std::string captions(const Fenetre& w, bool year) {
    std::string out;
    for (size_t i = 1; i <= (year ? 12u : 7u); ++i)
        out += (year ? w.Aff_Mois[i] : w.Aff_Jour[i])->caption + " ";
    return out;
}

TEST_F(ChartTest, FrenchDayLabelsAndTheBareSummaryTitle) {
    startOn({{"1999-12-01", "10:00", "05.5", ""}});  // no test on show
    EXPECT_EQ(w->Cadre_Resultats.caption, "Results");
    EXPECT_EQ(w->Aff_Res_Optim.caption + w->Aff_Res_Compro.caption, "");
    sp.locale.language = "French";
    startOn({});
    EXPECT_EQ(captions(*w, false), "DI LU MA ME JE VE SA ");
    EXPECT_EQ(w->Cadre_Resultats.caption, "Résultats");  // the design caption stays
}

TEST_F(ChartTest, YearLabelsEndOnTheAnchorsMonthAndFollowTheMonthLengths) {
    startOn({{"2000-01-08", "10:00", "05.0", ""}});
    w->click("Menu_Annee");
    EXPECT_EQ(captions(*w, true), "F M A M J J A S O N D JAN ");
    for (size_t i = 1; i <= 11; ++i) EXPECT_EQ(w->Aff_Mois[i]->fore, colour::kDarkBlue) << i;
    EXPECT_EQ(w->Aff_Mois[12]->fore, colour::kYellow);
    EXPECT_FALSE(w->Aff_Jour[7]->visible);

    // Redrawn on the year view at an anchor, the labels step by the months'
    // lengths from it: from 29 December, February is passed over.
    startOn({{"2000-03-31", "10:00", "05.0", ""}}, DateTime::fromParts(2000, 4, 10, 12));
    for (const DateTime anchor : {day(2000, 3, 31), day(1999, 12, 29)}) {
        for (MenuItem* m : {&w->Menu_Sem, &w->Menu_Mois, &w->Menu_Annee})
            m->checked = m == &w->Menu_Annee;
        w->chart.Partitions_Graphiques();
        w->Aff_Date.caption = w->dateText(anchor);
        w->view.Date_Affichee = anchor;
        w->view.Index_Test = 0;
        w->chart.Mois_Sem();
        w->view.Periode = static_cast<int16_t>(w->view.Nb_Partitions);
    }
    EXPECT_EQ(w->Aff_Mois[1]->caption, "J");
    EXPECT_EQ(w->Aff_Mois[2]->caption, "M");
    EXPECT_EQ(w->Aff_Mois[1]->fore, colour::kDarkRed);
}

TEST_F(ChartTest, ANoteStaysUntilAnotherNoteIsShown) {
    startOn({{"2000-01-08", "10:00", "05.6", ""},
             {"2000-01-07", "10:00", "06.6", "after lunch"},
             {"1999-12-01", "10:00", "06.6", ""}});
    scroll(32766);
    EXPECT_EQ(w->Information.caption, "[ after lunch ]");
    EXPECT_EQ(w->entry.Index_Note, 2);
    EXPECT_EQ(w->Aff_Resultat.caption, "06.6");
    w->view.Index_Test = 0;
    w->view.Qte_Tests_Partition = 1;
    w->Afficher_Taux();
    EXPECT_EQ(w->Aff_Resultat.caption, "05.6");
    EXPECT_EQ(w->Information.caption, "[ after lunch ]");
    EXPECT_EQ(w->entry.Index_Note, 2);
}

}  // namespace
}  // namespace dx::testing
