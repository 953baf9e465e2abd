// The entry panel through the window: opening, typing, OK and Cancel.

#include "entry_window_fixture.h"

namespace dx {
namespace {

using entry_test::EntryWindowTest;


using EntryPanel = EntryWindowTest;

void expectOpened(const Fenetre& w) {
    EXPECT_TRUE(w.Cadre_Ajouter.visible);
    EXPECT_EQ(w.Graphique.back, colour::kLightGrey);
    EXPECT_EQ(w.Dialog_Date.text(), "2000-01-08");
    EXPECT_EQ(w.Dialog_Heure.text(), "09:15");
    EXPECT_EQ(w.Dialog_Note.text(), "");
    EXPECT_EQ(w.focused(), "Dialog_Taux");
    EXPECT_EQ(w.entry.Entree_Active, 1);
    EXPECT_FALSE(w.Bout_Ok.enabled);
    for (const MenuItem* m : {&w.Menu_Option, &w.Menu_Fichier, &w.Menu_Hystorique, &w.Menu_Prev,
                              &w.Menu_Impr_Graph, &w.Menu_Sang})
        EXPECT_FALSE(m->enabled) << m->caption;
    EXPECT_FALSE(w.Curseur.enabled);
    EXPECT_FLOAT_EQ(w.Ligne_Therm2.y1, 2200.0F);
}

TEST_F(EntryPanel, OpensOnTodayWithTheDefaultLevelSelectedInMmol) {
    start(0);
    ASSERT_TRUE(w->click("Menu_Ajouter"));
    expectOpened(*w);
    EXPECT_EQ(w->Dialog_Taux.text(), "00.0");
    EXPECT_EQ(w->Dialog_Taux.selStart(), 0);
    EXPECT_EQ(w->Dialog_Taux.selLength(), 4);
    // The panel's own command is out of reach while it is open.
    EXPECT_FALSE(w->click("Menu_Ajouter"));
}

TEST_F(EntryPanel, OpensWithTheDefaultLevelSelectedInMgDl) {
    start(1);
    ASSERT_TRUE(w->click("Menu_Ajouter"));
    expectOpened(*w);
    EXPECT_EQ(w->Dialog_Taux.text(), "0");
    EXPECT_EQ(w->Dialog_Taux.selLength(), 1);
    // Typing replaces the default level.
    type("Dialog_Taux", "120");
    EXPECT_EQ(w->Dialog_Taux.text(), "120");
    EXPECT_TRUE(w->Bout_Ok.enabled);
}

TEST_F(EntryPanel, OpeningFromTheYearViewComesBackToThisWeek) {
    start(0, false, {{"2000-01-07", "08:00", "05.6"}, {"1999-03-01", "08:00", "06.0"}});
    ASSERT_TRUE(w->click("Menu_Annee"));
    ASSERT_TRUE(w->click("Menu_Ajouter"));
    EXPECT_TRUE(w->Menu_Sem.checked);
    EXPECT_FALSE(w->Menu_Annee.checked);
    EXPECT_EQ(w->Aff_Date.caption, "2000-01-08");
    EXPECT_FALSE(w->Curseur.enabled);
    expectOpened(*w);
}

TEST_F(EntryPanel, PastedTimesAreCorrected) {
    start(0);
    w->click("Menu_Ajouter");
    w->pasteText("Dialog_Heure", "25:00");
    EXPECT_EQ(w->Dialog_Heure.text(), "00:00");
    EXPECT_FALSE(w->Bout_Ok.enabled);
    w->pasteText("Dialog_Heure", "12:75");
    EXPECT_EQ(w->Dialog_Heure.text(), "12:00");
    w->pasteText("Dialog_Heure", "112:30");
    EXPECT_EQ(w->Dialog_Heure.text(), "12:30");
}

TEST_F(EntryPanel, AKeyThatResetsAFieldIsThenTaken) {
    start(0);
    w->click("Menu_Ajouter");
    // The reset leaves the caret at the end, where the key goes in.
    w->keyPress("Dialog_Heure", 'a');
    EXPECT_EQ(w->Dialog_Heure.text(), "00:00");  // "00:00a", then cut to five characters
    w->keyPress("Dialog_Heure", 8);
    EXPECT_EQ(w->Dialog_Heure.text(), "00:0");
    w->Dialog_Date.select(0, 2);
    w->keyPress("Dialog_Date", 'x');
    EXPECT_EQ(w->Dialog_Date.text(), "2000-01-08x");
}

TEST_F(EntryPanel, AnEarlierDateBecomesToday) {
    start(0);
    w->click("Menu_Ajouter");
    w->pasteText("Dialog_Date", "1999-12-31");
    EXPECT_EQ(w->Dialog_Date.text(), "2000-01-08");
    retype(w->Dialog_Date, "Dialog_Date", "1");
    EXPECT_EQ(w->Dialog_Date.text(), "2000-01-08");
}

TEST_F(EntryPanel, LeavingTheTimeFieldCompletesTheMinutes) {
    start(0);
    w->click("Menu_Ajouter");
    retype(w->Dialog_Heure, "Dialog_Heure", "14");
    w->focus("Dialog_Note");
    EXPECT_EQ(w->Dialog_Heure.text(), "14:00");
}

TEST_F(EntryPanel, LeavingTheLevelFieldReformatsIt) {
    start(0);
    openWithLevel("5.6");
    w->focus("Dialog_Note");
    EXPECT_EQ(w->Dialog_Taux.text(), "05.6");
}

TEST_F(EntryPanel, LevelsAboveTheMaximumAreCappedAndTheThermometerFollows) {
    start(1);
    openWithLevel("4567");
    EXPECT_EQ(w->Dialog_Taux.text(), "450");
    EXPECT_EQ(w->meter.Taux_Courant, "450");
    EXPECT_NEAR(w->Ligne_Therm1.y1, 2200 - 25 * 100 / 1.5, 0.01);

    retype(w->Dialog_Taux, "Dialog_Taux", "180");
    EXPECT_NEAR(w->Ligne_Therm3.y1, 1533.33, 0.01);
    EXPECT_TRUE(w->Bout_Ok.enabled);
}

TEST_F(EntryPanel, MmolLevelsAboveTwentyFiveBecome25) {
    start(0);
    openWithLevel("30");
    EXPECT_EQ(w->Dialog_Taux.text(), "25.0");
    EXPECT_EQ(w->meter.Taux_Courant, "25");
    retype(w->Dialog_Taux, "Dialog_Taux", "10");
    EXPECT_NEAR(w->Ligne_Therm1.y1, 1533.33, 0.01);
}

TEST_F(EntryPanel, ZeroDisablesOkAndANegativeLevelIsRefusedOnOk) {
    start(0);
    openWithLevel("0");
    EXPECT_FALSE(w->Bout_Ok.enabled);
    retype(w->Dialog_Taux, "Dialog_Taux", "-5");
    EXPECT_TRUE(w->Bout_Ok.enabled);
    EXPECT_EQ(w->meter.Taux_Courant, "0");  // the thermometer never goes below 0

    ASSERT_TRUE(w->click("Bout_Ok"));
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].title, "Message");
    EXPECT_EQ(dialogs.shown[0].text, "Rate =\n\nminimum  >0\nmaximum  <25");
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(w->entry.Entree_Refusee, 1);
    EXPECT_EQ(w->journal.Nb_Tests, 0);
    EXPECT_TRUE(w->Cadre_Ajouter.visible);
    EXPECT_EQ(w->Dialog_Taux.text(), "-05.0");
}

TEST_F(EntryPanel, EveryRefusalOfOnePressIsShownInTurn) {
    for (const int16_t unite : {0, 1}) {
        for (const bool french : {false, true}) {
            dialogs.shown.clear();
            start(unite, french);
            openWithLevel("-5");
            w->Dialog_Date.select(10, 0);
            type("Dialog_Date", "1");  // later than today
            w->pasteText("Dialog_Heure", "9:");
            ASSERT_TRUE(w->click("Bout_Ok"));

            const std::string maximum = unite == 1 ? "450" : "25";
            const std::string after =
                french ? "La date d'une analyse ne peut pas être postérieure à aujourd'hui "
                         "(2000-01-08)."
                       : "The date of a test cannot be later than today (2000-01-08).";
            ASSERT_EQ(dialogs.shown.size(), 3U) << unite << french;
            EXPECT_EQ(dialogs.shown[0].text, w->Aff_Dial_Taux.caption +
                                                 " =\n\nminimum  >0\nmaximum  <" + maximum);
            EXPECT_EQ(dialogs.shown[1].text, w->Aff_Dial_Date.caption + " =\n\n" + after);
            EXPECT_EQ(dialogs.shown[2].text, w->Aff_Dial_Heure.caption + " = hh:mm");
            for (const auto& s : dialogs.shown) EXPECT_EQ(s.title, "Message");
            EXPECT_EQ(w->journal.Nb_Tests, 0);
        }
    }
}

TEST_F(EntryPanel, AcceptedTestBecomesRecordOne) {
    start(0, false, {{"2000-01-07", "08:00", "06.0"}});
    openWithLevel("5.6");
    w->Dialog_Note.setText("after lunch");
    ASSERT_TRUE(w->click("Bout_Ok"));
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(w->journal.Nb_Tests, 2);
    EXPECT_EQ(w->journal.Date_Test[1], "2000-01-08");
    EXPECT_EQ(w->journal.Heure_Test[1], "09:15");
    EXPECT_EQ(w->journal.Taux_Test[1], "05.6");
    EXPECT_EQ(w->journal.Note_Test[1], "after lunch");
    EXPECT_EQ(w->journal.Date_Test[2], "2000-01-07");
    EXPECT_FALSE(w->Cadre_Ajouter.visible);
    EXPECT_EQ(w->Graphique.back, colour::kBlack);
    // The line is emptied, then the redrawn chart shows the new test's note.
    EXPECT_EQ(w->Information.caption, "[ after lunch ]");
    EXPECT_TRUE(w->Menu_Sauve.enabled);
    EXPECT_TRUE(w->Menu_Fichier.enabled);
    EXPECT_FALSE(w->Menu_Option.enabled);
    EXPECT_FALSE(w->Menu_Prev.enabled);
    EXPECT_TRUE(w->Curseur.enabled);
    EXPECT_EQ(w->entry.Entree_Active, 0);
}

TEST_F(EntryPanel, TextTheFileCannotHoldAndAFullJournalAreRefused) {
    start(0);
    openWithLevel("5.6");
    w->Dialog_Note.setText("a \"quoted\" word");
    ASSERT_TRUE(w->click("Bout_Ok"));
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_NE(dialogs.shown[0].text.find(w->Aff_Dial_Note.caption), std::string::npos);
    EXPECT_EQ(w->entry.Entree_Refusee, 1);
    EXPECT_EQ(w->journal.Nb_Tests, 0);
    EXPECT_TRUE(w->Cadre_Ajouter.visible);
    EXPECT_FALSE(w->Menu_Sauve.enabled);

    w->Dialog_Note.setText("fine");
    w->journal.Nb_Tests = kMaxTests;
    ASSERT_TRUE(w->click("Bout_Ok"));
    EXPECT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(w->journal.Nb_Tests, kMaxTests);
    EXPECT_TRUE(w->Cadre_Ajouter.visible);
}

TEST_F(EntryPanel, AcceptedMgDlLevelIsStoredAsTyped) {
    start(1);
    openWithLevel("120");
    ASSERT_TRUE(w->click("Bout_Ok"));
    ASSERT_EQ(w->journal.Nb_Tests, 1);
    EXPECT_EQ(w->journal.Taux_Test[1], "120");
    // Only the hidden field is rewritten afterwards.
    EXPECT_EQ(w->Dialog_Taux.text(), "120.0");
}

TEST_F(EntryPanel, AnEntryEarlierThanTheNewestTestMovesToNow) {
    struct Case {
        const char* typed;
        const char* stored;
    };
    // Only the hours are compared with the newest test, at 14:20 today.
    for (const Case& c : {Case{"1405", "14:05"}, Case{"0900", "15:40"}}) {
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 15, 40, 0));
        start(0, false, {{"2000-01-08", "14:20", "06.0"}});
        openWithLevel("5.6");
        retype(w->Dialog_Heure, "Dialog_Heure", c.typed);
        ASSERT_TRUE(w->click("Bout_Ok"));
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(w->journal.Heure_Test[1], c.stored) << c.typed;
    }
}

TEST_F(EntryPanel, CancelLeavesTheJournalAsItWas) {
    start(0);
    openWithLevel("7.5");
    ASSERT_TRUE(w->click("Bout_Cancel"));
    EXPECT_EQ(w->journal.Nb_Tests, 0);
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_FALSE(w->Cadre_Ajouter.visible);
    EXPECT_EQ(w->Graphique.back, colour::kBlack);
    EXPECT_FLOAT_EQ(w->Ligne_Therm1.y1, 2200.0F);
    EXPECT_TRUE(w->Curseur.enabled);
    for (const MenuItem* m : {&w->Menu_Prev, &w->Menu_Impr_Graph, &w->Menu_Fichier,
                              &w->Menu_Hystorique, &w->Menu_Option})
        EXPECT_TRUE(m->enabled) << m->caption;
    EXPECT_FALSE(w->Menu_Sang.enabled);
    EXPECT_EQ(w->entry.Entree_Active, 1);
}

TEST_F(EntryPanel, ADatePatternShorterThanItsDatesLeavesTheFieldsAlone) {
    sp.locale.pattern = "M/d/yy";
    sp.clock.set(DateTime::fromParts(2000, 12, 31, 9, 15, 0));
    start(0);
    w->click("Menu_Ajouter");
    EXPECT_EQ(w->Dialog_Date.text(), "12/31/00");
    type("Dialog_Taux", "5.6");
    EXPECT_FALSE(w->Bout_Ok.enabled);
    retype(w->Dialog_Heure, "Dialog_Heure", "3");
    EXPECT_EQ(w->Dialog_Heure.text(), "3");
}

} // namespace
} // namespace dx
