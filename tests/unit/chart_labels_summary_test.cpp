#include "chart_fixture.h"

namespace dx::chart_test {
namespace {

using LabelsTest = ChartTest;

// Puts the chart on the period and anchor given, then redraws it.
void redrawAt(Fenetre& w, MenuItem& period, DateTime anchor) {
    for (MenuItem* m : {&w.Menu_Sem, &w.Menu_Mois, &w.Menu_Annee}) m->checked = m == &period;
    w.Partitions_Graphiques();
    w.Aff_Date.caption = w.dateText(anchor);
    w.view.Date_Affichee = anchor;
    w.view.Index_Test = 0;
    w.Mois_Sem();
    w.view.Periode = static_cast<int16_t>(w.view.Nb_Partitions);
}

std::string captions(const Fenetre& w, int count, bool year) {
    std::string out;
    for (int i = 1; i <= count; ++i)
        out += (year ? w.Aff_Mois[static_cast<size_t>(i)] : w.Aff_Jour[static_cast<size_t>(i)])
                   ->caption +
               " ";
    return out;
}

TEST_F(LabelsTest, FrenchDayNamesKeepTheirFirstTwoLetters) {
    sp.locale.language = "French";
    start({{"2000-01-08", "10:00", "05.0", ""}});
    EXPECT_EQ(captions(*w, 7, false), "DI LU MA ME JE VE SA ");
}

TEST_F(LabelsTest, MonthViewRunsFromDayOneToTheAnchor) {
    start({{"2000-01-08", "10:00", "05.0", ""}});
    w->click("Menu_Mois");
    EXPECT_EQ(w->Aff_Nom_Mois.caption, "JANUARY");
    EXPECT_EQ(w->Aff_Mois_Jr1.caption, "1");
    EXPECT_EQ(w->Aff_Mois_Dernier_Jr.caption, "8");
    EXPECT_TRUE(w->Aff_Nom_Mois.visible);
    EXPECT_FALSE(w->Aff_Jour[1]->visible);
    redrawAt(*w, w->Menu_Mois, day(1999, 12, 31));
    EXPECT_EQ(w->Aff_Nom_Mois.caption, "DECEMBER");
    EXPECT_EQ(w->Aff_Mois_Dernier_Jr.caption, "31");
}

TEST_F(LabelsTest, YearEndingInJanuary) {
    start({{"2000-01-08", "10:00", "05.0", ""}});
    w->click("Menu_Annee");
    EXPECT_EQ(captions(*w, 12, true), "F M A M J J A S O N D JAN ");
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(w->Aff_Mois[static_cast<size_t>(i)]->fore, colour::kDarkBlue);
    EXPECT_EQ(w->Aff_Mois[12]->fore, colour::kYellow);
    EXPECT_FALSE(w->Aff_Jour[7]->visible);
}

TEST_F(LabelsTest, YearLabelsFollowTheMonthLengths) {
    start({{"2000-03-31", "10:00", "05.0", ""}}, DateTime::fromParts(2000, 4, 10, 12));
    redrawAt(*w, w->Menu_Annee, day(2000, 3, 31));
    EXPECT_EQ(captions(*w, 12, true), "M J J A S O N D J F M APR ");
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(w->Aff_Mois[static_cast<size_t>(i)]->fore, colour::kDarkBlue);
    EXPECT_EQ(w->Aff_Mois[12]->fore, colour::kYellow);

    redrawAt(*w, w->Menu_Annee, day(1999, 12, 29));
    EXPECT_EQ(w->Aff_Mois[1]->caption, "J");
    EXPECT_EQ(w->Aff_Mois[2]->caption, "M");
    EXPECT_EQ(w->Aff_Mois[1]->fore, colour::kDarkRed);
}

TEST_F(LabelsTest, StartupWithAnEmptyJournalDrawsLabelsWithoutClearing) {
    start({});
    EXPECT_EQ(captions(*w, 7, false), "SU MO TU WE TH FR SA ");
    EXPECT_EQ(w->Cadre_Resultats.caption, "Résultats");  // the design caption stays
}

using SummaryTest = ChartTest;

void expectSummary(const Fenetre& w, const char* optimal, const char* sub, const char* compro,
                   const char* title) {
    EXPECT_EQ(w.Aff_Res_Optim.caption, optimal);
    EXPECT_EQ(w.Aff_Res_Sub_Optim.caption, sub);
    EXPECT_EQ(w.Aff_Res_Compro.caption, compro);
    EXPECT_EQ(w.Cadre_Resultats.caption, title);
}

TEST_F(SummaryTest, CountsPerBandInBothLanguages) {
    const std::vector<Record> tests = {{"2000-01-08", "10:00", "05.5", ""},
                                       {"2000-01-08", "09:00", "07.0", ""},
                                       {"2000-01-07", "10:00", "09.9", ""},
                                       {"2000-01-06", "10:00", "10.0", ""},
                                       {"2000-01-05", "10:00", "03.2", ""}};
    start(tests);
    expectSummary(*w, "1", "2", "1", "5 results");
    w.reset();
    sp.locale.language = "French";
    start(tests);
    EXPECT_EQ(w->Cadre_Resultats.caption, "5 résultats");
}

TEST_F(SummaryTest, MgDlBoundsBelongToTheUpperBand) {
    start({{"2000-01-08", "10:00", "126", ""},
           {"2000-01-08", "09:00", "180", ""},
           {"2000-01-08", "08:00", "071", ""}},
          DateTime::fromParts(2000, 1, 8, 12), 1);
    expectSummary(*w, "0", "1", "1", "3 results");
}

TEST_F(SummaryTest, NoTestOnShowLeavesTheBareTitle) {
    start({{"1999-12-01", "10:00", "05.5", ""}});
    expectSummary(*w, "", "", "", "Results");
}

TEST_F(SummaryTest, ALowTestCountsInNoBand) {
    start({{"2000-01-08", "10:00", "03.0", ""}});
    expectSummary(*w, "0", "0", "0", "1 results");
}

using LevelDisplayTest = ChartTest;

TEST_F(LevelDisplayTest, NewestLevelInTheUnitsFormat) {
    start({{"2000-01-08", "10:00", "05.6", ""}});
    EXPECT_EQ(w->Aff_Resultat.caption, "05.6");
    EXPECT_EQ(w->Aff_Heure.caption, "10:00");
    EXPECT_FALSE(w->Aff_Moyenne.visible);
    w.reset();
    start({{"2000-01-08", "10:00", "05.6", ""}}, DateTime::fromParts(2000, 1, 8, 12), 1);
    EXPECT_EQ(w->Aff_Resultat.caption, "6");
}

TEST_F(LevelDisplayTest, MonthAverageAddsRoundedSums) {
    start({{"2000-01-07", "10:00", "05.4", ""},
           {"2000-01-05", "10:00", "05.4", ""},
           {"2000-01-02", "10:00", "06.0", ""}});
    w->click("Menu_Mois");
    EXPECT_EQ(w->Aff_Resultat.caption, "05.3");
    EXPECT_TRUE(w->Aff_Moyenne.visible);
    EXPECT_EQ(w->Aff_Heure.caption, "");
    w->click("Menu_Annee");
    EXPECT_EQ(w->Aff_Resultat.caption, "");
    EXPECT_FALSE(w->Aff_Moyenne.visible);
}

TEST_F(LevelDisplayTest, NoteStaysUntilAnotherNoteIsShown) {
    start({{"2000-01-08", "10:00", "05.6", ""},
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

TEST_F(LevelDisplayTest, RewriteInTheUnitLeavesOtherTextsAlone) {
    start({{"2000-01-08", "10:00", "05.6", ""}});
    w->settings.Unite = 1;
    w->Affichager_Le_Taux();
    EXPECT_EQ(w->Aff_Resultat.caption, "6");
    w->Aff_Resultat.caption = "";
    w->Affichager_Le_Taux();
    EXPECT_EQ(w->Aff_Resultat.caption, "");
}

}  // namespace
}  // namespace dx::chart_test
