#include <cmath>
#include <random>
#include <vector>

#include "chart/chart_walk.h"
#include "chart_fixture.h"
#include "settings/numbers.h"

namespace dx::chart_test {
namespace {

using PlotTest = ChartTest;

TEST_F(PlotTest, TenTestsOfAMonthShareItsWidth) {
    std::vector<Record> tests;
    for (int i = 0; i < 10; ++i)
        tests.push_back({"2000-01-0" + std::to_string(8 - i / 2), "10:00", "06.0", ""});
    tests.push_back({"1999-12-30", "10:00", "09.0", ""});
    start(tests);
    w->click("Menu_Mois");
    const auto segs = segments();
    ASSERT_EQ(segs.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(segs[i].x2 - segs[i].x1, 365) << i;
        EXPECT_EQ(segs[i].color, colour::kYellow);
    }
    EXPECT_FLOAT_EQ(segs[9].x1, 0);
    expectContinuous(segs);
}

// After a move the year view's months end on their last day: a test made
// on that day is drawn in its month, not passed over.
TEST_F(PlotTest, YearViewAfterAMoveKeepsTestsOfAMonthsLastDay) {
    start({{"2000-03-10", "10:00", "05.0", ""},
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

TEST_F(PlotTest, EmptyWeekBridgedAtTheEarliestLaterTest) {
    start({{"2000-01-08", "10:00", "05.0", ""}, {"1999-12-01", "10:00", "09.0", ""}});
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

TEST_F(PlotTest, MgDlLevelsUseTheSameScale) {
    start({{"2000-01-08", "10:00", "126", ""}, {"2000-01-08", "09:00", "072", ""}},
          DateTime::fromParts(2000, 1, 8, 12), 1);
    const auto segs = segments();
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_FLOAT_EQ(segs[0].y1, 936);
    EXPECT_FLOAT_EQ(segs[1].y1, 1092);
    EXPECT_FLOAT_EQ(w->Objectif1.y1, 936);
    EXPECT_FLOAT_EQ(w->Objectif2.y1, 1092);
}

TEST_F(PlotTest, ForwardMoveIntoThePastRunsTheFirstSegmentToTheLaterTest) {
    start({{"2000-01-08", "10:00", "10.0", ""},
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

TEST_F(PlotTest, EraseTwiceLeavesTheChartEmpty) {
    start({{"2000-01-08", "10:00", "10.0", ""}});
    w->Effacer_Graph();
    EXPECT_EQ(w->Ligne.size(), 1u);
    EXPECT_EQ(w->view.Ligne_Suivante, 0);
    EXPECT_EQ(w->view.Premiere_Ligne, 1);
    w->view.Premiere_Ligne = 0;
    w->Effacer_Graph();
    EXPECT_EQ(w->view.Ligne_Suivante, 0);
    EXPECT_EQ(w->Ligne.size(), 1u);
    // From 1 (nothing drawn yet) it only goes to 0.
    w->view.Ligne_Suivante = 1;
    w->view.Premiere_Ligne = 0;
    w->Effacer_Graph();
    EXPECT_EQ(w->view.Ligne_Suivante, 0);
    EXPECT_EQ(w->view.Premiere_Ligne, 0);
}

TEST_F(PlotTest, PartitionRunsByDayOrByMonthNumber) {
    start({{"2000-03-12", "10:00", "05.0", ""},
           {"2000-03-12", "09:00", "05.0", ""},
           {"2000-03-12", "08:00", "05.0", ""},
           {"2000-03-11", "08:00", "05.0", ""},
           {"1999-03-01", "08:00", "05.0", ""},
           {"1999-02-01", "08:00", "05.0", ""}},
          DateTime::fromParts(2000, 3, 12, 12));
    w->view.Index_Test = 0;
    w->view.Date_Affichee = day(2000, 3, 12);
    w->Qte_Test_Par_Partition();
    EXPECT_EQ(w->view.Qte_Tests_Partition, 3);
    w->Menu_Sem.checked = false;
    w->Menu_Annee.checked = true;
    w->Qte_Test_Par_Partition();
    EXPECT_EQ(w->view.Qte_Tests_Partition, 5);  // March of both years
}

// Random journals, every period, a few positions: the chain stays one
// polyline and the summary counts exactly the yellow segments, band by band.
TEST_F(PlotTest, ChainContinuousAndSummaryMatchesYellowSegments) {
    std::mt19937 rng(7);
    std::vector<Record> tests;
    int64_t dayNo = day(2000, 6, 30).day();
    for (int i = 0; i < 300; ++i) {
        dayNo -= std::uniform_int_distribution<int>(0, 3)(rng);
        const double level = std::uniform_int_distribution<int>(20, 160)(rng) / 10.0;
        tests.push_back(
            {DateTime::fromDays(dayNo).iso(), "10:00", formatNumber(level, "00.0"), ""});
    }
    start(tests, DateTime::fromParts(2000, 6, 30, 12));
    auto check = [&](const std::string& where) {
        const auto segs = segments();
        expectContinuous(segs);
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
        EXPECT_EQ(w->view.Qte_Resultats, yellow) << where;
        const auto count = [](const Label& l) {
            return l.caption.empty() ? 0 : std::stoi(l.caption);
        };
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

// The whole-unit height takes the floor of the drop however large, small
// or negative the level, in both units.
TEST(LevelHeight, WholeDropIsTheFloorOfTheDrop) {
    std::vector<double> levels = {0, -0.0, 1e300, -1e300, 1e16, -1e16, 2.5e14, -2.5e14};
    for (int tenths = -3000; tenths <= 6000; ++tenths) levels.push_back(tenths / 10.0);
    for (const int32_t facteur : {1, 18})
        for (const double level : levels)
            ASSERT_EQ(dx::chart::levelYWhole(level, facteur),
                      static_cast<float>(1300.0 - std::floor(52.0 * level / facteur)))
                << level << " " << facteur;
}

}  // namespace
}  // namespace dx::chart_test
