// The blood test run from the command to the stored test, its errors, the
// user leaving it, and the drop animation and thermometer that go with it.

#include <fstream>

#include "meter_window_fixture.h"

namespace dx {
namespace {

using testing::MeterTest;
using testing::MeterWindowTest;

constexpr uint32_t kTen = 20400;  // reads 10.0
constexpr uint32_t kWet = 53549;  // the highest position that is a drop

const std::vector<MeterTest> kEarlier = {{"2000-01-05", "08:00", "07.5"}};

class BloodTest : public MeterWindowTest {
protected:
    // Starts a run and waits at rest until the drop can be accepted: three
    // seconds counted, the poll that sees the third second still to come.
    void waitThreeSeconds() {
        ASSERT_TRUE(w->click("Menu_Sang"));
        advance(3050);
        ASSERT_EQ(w->meter.Attente_Sec, 3);
    }
    // A drop reading `x` seen by the next poll.
    void drop(uint32_t x) {
        probe(x, kRest);
        advance(50);
    }
    bool timersIdle() const {
        for (const Timer* t : {&w->Timer_Heure, &w->Timer_Joyst, &w->Timer_Anim, &w->Timer_Attente,
                               &w->Timer_Analyse, &w->Timer_Calibration})
            if (t->enabled()) return false;
        return true;
    }
};

TEST_F(BloodTest, TheTestGoesUnderTheDateOnShow) {
    start({{"2000-01-01", "08:00", "07.5"}});
    ASSERT_TRUE(w->userScroll(32766));  // the week ending yesterday
    ASSERT_EQ(w->Aff_Date.caption, "2000-01-07");
    waitThreeSeconds();
    drop(kTen);
    advance(34000);
    ASSERT_EQ(w->journal.Nb_Tests, 2);
    EXPECT_EQ(w->journal.Date_Test[1], "2000-01-07");
}

TEST_F(BloodTest, ADropAtThreeCountedSecondsIsAccepted) {
    start();
    waitThreeSeconds();
    drop(kWet);
    EXPECT_EQ(w->meter.Analyse_En_Cours, 1);
    EXPECT_EQ(count("msgbox"), 0U);
}

TEST_F(BloodTest, ADropBeforeThreeSecondsIsAnErrorAndStoresNothing) {
    start(kEarlier);
    w->click("Menu_Sang");
    // At 3000 ms the poll runs before the third second is counted.
    advance(2950);
    probe(kWet, kRest);
    advance(50);
    ASSERT_EQ(count("msgbox"), 1U);
    EXPECT_NE(events[0].find("\"title\":\"Test error\",\"text\":\"Clean or dry your probe\","
                             "\"buttons\":\"ok\",\"icon\":\"none\""),
              std::string::npos)
        << events[0];
    EXPECT_EQ(w->meter.Mode_Analyse, 0);
    EXPECT_EQ(w->meter.Analyse_En_Cours, 0);
    EXPECT_FALSE(w->Animation.visible);
    EXPECT_EQ(w->Aff_Heure.caption, "12:00:43");
    EXPECT_TRUE(timersIdle());
    advance(60000);
    EXPECT_EQ(w->journal.Nb_Tests, 1);
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_EQ(count("beep"), 0U);
}

TEST_F(BloodTest, AnOverRangeLastReadingIsStoredAsTwentyFive) {
    start();
    waitThreeSeconds();
    drop(50000);  // 24.5: a drop
    probe(kRest, kRest);
    advance(33000);
    EXPECT_EQ(w->meter.Taux_Courant, "28");
    EXPECT_EQ(w->Aff_Resultat.caption, "28.0");
    advance(1000);
    ASSERT_EQ(w->journal.Nb_Tests, 1);
    EXPECT_EQ(w->journal.Taux_Test[1], "25.0");
}

TEST_F(BloodTest, ReturnWhileWaitingEndsTheRunForGood) {
    start(kEarlier);
    w->click("Menu_Sang");
    advance(1500);
    ASSERT_TRUE(w->click("Menu_Annuler"));
    EXPECT_EQ(w->meter.Mode_Analyse, 0);
    EXPECT_FALSE(w->Animation.visible);
    EXPECT_TRUE(w->Menu_Sang.enabled);
    EXPECT_TRUE(w->Menu_Calib.enabled);
    EXPECT_FALSE(w->Menu_Annuler.enabled);
    EXPECT_TRUE(timersIdle());
    probe(kTen, kRest);
    advance(60000);
    EXPECT_EQ(w->journal.Nb_Tests, 1);
    EXPECT_EQ(count("beep"), 0U);
}

// The countdown turns the Test menu off, and the Return item with it: Escape
// is the way out of a timed analysis.
TEST_F(BloodTest, EscapeDuringTheAnalysisStoresNothingAndTheNextRunWorks) {
    start(kEarlier);
    waitThreeSeconds();
    drop(kTen);
    advance(5000);
    EXPECT_FALSE(w->click("Menu_Annuler"));
    w->escape();
    EXPECT_EQ(w->meter.Analyse_En_Cours, 0);
    EXPECT_TRUE(timersIdle());
    // Nothing was stored, so the Test menu the countdown turned off is back.
    EXPECT_TRUE(w->Menu_Test.enabled);
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    advance(60000);
    EXPECT_EQ(w->journal.Nb_Tests, 1);
    EXPECT_EQ(count("beep"), 1U);

    probe(kRest, kRest);
    waitThreeSeconds();
    drop(kTen);
    EXPECT_EQ(w->meter.Analyse_En_Cours, 1);
    advance(34000);
    EXPECT_EQ(w->journal.Nb_Tests, 2);
}

TEST_F(BloodTest, AFullJournalRefusesTheMeasuredTest) {
    {
        std::vector<MeterTest> full(kMaxTests, MeterTest{"2000-01-01", "08:00", "05.0"});
        start(full);
    }
    ASSERT_EQ(w->journal.Nb_Tests, kMaxTests);
    waitThreeSeconds();
    drop(kTen);
    advance(34000);
    EXPECT_EQ(count("msgbox"), 1U);
    EXPECT_EQ(w->journal.Nb_Tests, kMaxTests);
    EXPECT_EQ(w->journal.Taux_Test[1], "05.0");
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_EQ(w->meter.Mode_Analyse, 0);
    EXPECT_TRUE(timersIdle());
}

// The countdown leaves the Test menu off while the new test is unsaved: the
// note command it enables is reached after the save.
TEST_F(BloodTest, ANoteIsAddedToTheMeasuredTestAfterTheSave) {
    start(kEarlier);
    waitThreeSeconds();
    drop(kTen);
    advance(34000);
    ASSERT_EQ(w->journal.Nb_Tests, 2);
    EXPECT_TRUE(w->Menu_Note.enabled);
    EXPECT_FALSE(w->click("Menu_Note"));
    ASSERT_TRUE(w->click("Menu_Sauve"));
    ASSERT_TRUE(w->Menu_Test.enabled);
    sp.dialogs.answers.push_back({ScriptedAnswer::Text, "after lunch"});
    ASSERT_TRUE(w->click("Menu_Note"));
    EXPECT_EQ(w->journal.Taux_Test[1], "10.0");
    EXPECT_EQ(w->journal.Note_Test[1], "after lunch");
    EXPECT_EQ(w->journal.Note_Test[2], "");
    EXPECT_TRUE(w->Menu_Sauve.enabled);
}

TEST_F(BloodTest, TheDropFallsInSevenStepsThenPausesOneSecond) {
    start();
    w->click("Menu_Sang");
    advance(30);  // the first run after start-up uses the design interval
    EXPECT_EQ(w->Goutte.top, 50);
    EXPECT_TRUE(w->Goutte.visible);
    EXPECT_TRUE(w->Probe_Vide.visible);
    EXPECT_EQ(w->Timer_Anim.interval(), 100);
    for (int step = 2; step <= 6; ++step) {
        advance(100);
        ASSERT_EQ(w->Goutte.top, 50 * step);
    }
    advance(100);  // the seventh step lands and the pair vanishes
    EXPECT_EQ(w->Goutte.top, 0);
    EXPECT_FALSE(w->Goutte.visible);
    EXPECT_FALSE(w->Probe_Vide.visible);
    EXPECT_EQ(w->Timer_Anim.interval(), 1000);
    advance(999);
    EXPECT_FALSE(w->Goutte.visible);
    advance(1);
    EXPECT_EQ(w->Goutte.top, 50);
    EXPECT_TRUE(w->Goutte.visible);

    // A later run continues from where the drop stood, at the interval left.
    advance(100);
    w->escape();
    EXPECT_EQ(w->Goutte.top, 100);
    w->click("Menu_Sang");
    advance(99);
    EXPECT_EQ(w->Goutte.top, 100);
    advance(1);
    EXPECT_EQ(w->Goutte.top, 150);
}

TEST_F(MeterWindowTest, TheEndOfARunShowsTheNewestTest) {
    start({{"2000-01-08", "09:30", "06.2"}, {"2000-01-07", "22:00", "08.1"}});
    w->click("Menu_Calib");
    w->escape();
    EXPECT_EQ(w->Aff_Resultat.caption, "06.2");
    EXPECT_EQ(w->Aff_Heure.caption, "09:30");
    EXPECT_EQ(w->Information.caption, "");
}

TEST_F(MeterWindowTest, TheEndOfARunOnADayWithoutATestShowsNoTime) {
    start({{"2000-01-07", "22:00", "08.1"}});
    w->click("Menu_Sang");
    advance(500);
    w->escape();
    EXPECT_EQ(w->Aff_Resultat.caption, "08.1");
    EXPECT_EQ(w->Aff_Heure.caption, "");
}

TEST_F(MeterWindowTest, TheEndOfARunWithAnEmptyJournalShowsNothing) {
    start();
    w->journal.Taux_Test[1] = "09.9";  // stale text above Nb_Tests
    w->click("Menu_Calib");
    w->escape();
    EXPECT_EQ(w->Aff_Resultat.caption, "");
    EXPECT_EQ(w->Aff_Heure.caption, "");
}

TEST_F(MeterWindowTest, TheThermometerReadsTheSameInEitherUnit) {
    start({}, false, 1);
    w->meter.Taux_Courant = "180";
    w->Afficher_Thermometre();
    for (const Line* l : {&w->Ligne_Therm1, &w->Ligne_Therm2, &w->Ligne_Therm3}) {
        EXPECT_NEAR(l->y1, 1533.33, 0.01);
        EXPECT_EQ(l->y2, 2430.0F);
    }
    w->Thermometre_Zero();
    EXPECT_EQ(w->Ligne_Therm3.y1, 2200.0F);
}

} // namespace
} // namespace dx
