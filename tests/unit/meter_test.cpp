// The meter: its arithmetic, the probe status, the blood test run with its
// errors and its drop animation, and the calibration's delayed check.

#include "meter/meter_formulas.h"
#include "window_fixture.h"

namespace dx::testing {
namespace {

constexpr uint32_t kRest = 57120;  // reads 28: no drop
constexpr uint32_t kTen = 20400;   // reads 10.0

TEST(MeterFormulas, DropLevelsAndThermometer) {
    EXPECT_FALSE(dropOnProbe(53550));  // the drop starts below deviation -7
    EXPECT_TRUE(dropOnProbe(53549));
    EXPECT_TRUE(dropOnProbe(0));
    // The level while waiting stops at 25.
    for (auto [x, text] : {std::pair{20400u, "10.0"},
                           {51000u, "25.0"},
                           {51008u, "25.0"},  // 25.004: its text is no higher
                           {51102u, "25"},    // 25.05 is written 25.1
                           {57120u, "25"}})
        EXPECT_EQ(waitingLevelText(x), text) << x;
    for (auto [in, out] : {std::pair{"10", "10.0"},
                           {"9.80392156862745", "09.8"},
                           {"+25", "25.0"},
                           {"", ""},
                           {"high", "high"}})
        EXPECT_EQ(levelText00(in), out) << in;
    EXPECT_NEAR(thermometerTop("10", 0), 1533.33, 0.01);
    EXPECT_EQ(thermometerTop("10", 0), thermometerTop("180", 1));
    EXPECT_NEAR(thermometerTop("25", 0), 533.33, 0.01);
    for (const char* none : {"0", "", "abc"}) EXPECT_EQ(thermometerTop(none, 0), 2200.0F) << none;
}

class MeterWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 12, 0, 40));
        probe(kRest, kRest);
    }
    // The banner's connectivity check is stopped: it has nothing to do with
    // the meter.
    void startMeter(const std::vector<Record>& tests = {}) {
        start(tests);
        w->Timer_Ping.setEnabled(false);
        events.clear();
    }
    void probe(uint32_t x, uint32_t y) { sp.probe.reading = ProbeReading{x, y, 0}; }
    size_t count(const std::string& kind) const { return eventsOf(kind).size(); }

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

TEST_F(MeterWindowTest, StartUpShowsTheProbeStatus) {
    struct Case {
        int32_t status;
        const char* language;
        const char* caption;
        Rgb colour;
        bool menus;  // the blood test and the calibration enabled
    };
    // Unplugged in English and attached in French are shown by the
    // meter_unplugged and meter_calibration_french scenarios.
    const Case cases[] = {
        {0, "English", "The divice is attached.", colour::kDarkBlue, true},
        {167, "French", "Le cordon est débranché.", colour::kDarkRed, false},
        // Another port error names the maker's site and disables nothing,
        // so the menus keep their state from the window's design.
        {165, "English", "INFO:  www.dextrel.example", colour::kDarkRed, false},
        {165, "French", "INFO:  www.dextrel.example", colour::kDarkRed, false},
    };
    for (const Case& c : cases) {
        sp.probe.reading = ProbeReading{0, 0, c.status};
        sp.locale.language = c.language;
        startMeter();
        const std::string where = std::to_string(c.status) + " " + c.language;
        EXPECT_EQ(w->meter.Etat_Sonde, c.status) << where;
        EXPECT_EQ(w->Information.caption, c.caption) << where;
        EXPECT_EQ(w->Information.fore, c.colour) << where;
        EXPECT_EQ(w->Menu_Sang.enabled, c.menus) << where;
        EXPECT_EQ(w->Menu_Calib.enabled, c.menus) << where;
    }
}

// A position of 0 would read as a drop: a failed query keeps the last ones.
TEST_F(MeterWindowTest, UnpluggedAfterAttachedKeepsThePositionsAndGreysOutOnlyTheBloodTest) {
    startMeter();
    probe(20400, 30000);
    w->glucoseMeter.Joysticks();
    sp.probe.reading = ProbeReading{0, 0, 167};
    w->glucoseMeter.Joysticks();
    w->glucoseMeter.Afficher_Informations();
    EXPECT_EQ(w->meter.Etat_Sonde, 167);
    EXPECT_EQ(w->meter.Position_Sonde.x, 20400U);
    EXPECT_EQ(w->meter.Position_Sonde.y, 30000U);
    EXPECT_FALSE(w->Menu_Sang.enabled);
    EXPECT_TRUE(w->Menu_Calib.enabled);
}

using BloodTest = MeterWindowTest;

TEST_F(BloodTest, TheTestGoesUnderTheDateOnShow) {
    startMeter({{"2000-01-01", "08:00", "07.5", ""}});
    ASSERT_TRUE(w->userScroll(32766));  // the week ending yesterday
    ASSERT_EQ(w->Aff_Date.caption, "2000-01-07");
    waitThreeSeconds();
    drop(kTen);
    advance(34000);
    ASSERT_EQ(w->journal.Nb_Tests, 2);
    EXPECT_EQ(w->journal.Date_Test[1], "2000-01-07");
}

TEST_F(BloodTest, AnOverRangeLastReadingIsStoredAsTwentyFive) {
    startMeter();
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
    startMeter({{"2000-01-05", "08:00", "07.5", ""}});
    w->click("Menu_Sang");
    // While it runs, the probe status leaves the run's prompt on show.
    w->Information.fore = colour::kDarkRed;
    w->glucoseMeter.Afficher_Informations();
    EXPECT_EQ(w->Information.caption, "Place a drop of blood between the electrodes.");
    EXPECT_EQ(w->Information.fore, colour::kDarkBlue);
    advance(1500);
    ASSERT_TRUE(w->click("Menu_Annuler"));
    EXPECT_EQ(w->meter.Mode_Analyse, 0);
    EXPECT_FALSE(w->Animation.visible);
    EXPECT_TRUE(w->Menu_Sang.enabled && w->Menu_Calib.enabled);
    EXPECT_FALSE(w->Menu_Annuler.enabled);
    EXPECT_TRUE(timersIdle());
    probe(kTen, kRest);
    advance(60000);
    EXPECT_EQ(w->journal.Nb_Tests, 1);
    EXPECT_EQ(count("beep"), 0U);
}

TEST_F(BloodTest, AFullJournalRefusesTheMeasuredTest) {
    startMeter(std::vector<Record>(kMaxTests, Record{"2000-01-01", "08:00", "05.0", ""}));
    ASSERT_EQ(w->journal.Nb_Tests, kMaxTests);
    waitThreeSeconds();
    drop(kTen);
    advance(34000);
    ASSERT_EQ(count("msgbox"), 1U);
    EXPECT_TRUE(has(eventsOf("msgbox")[0], "already holds 5000 tests"));
    EXPECT_EQ(w->journal.Nb_Tests, kMaxTests);
    EXPECT_EQ(w->journal.Taux_Test[1], "05.0");
    EXPECT_FALSE(w->Menu_Sauve.enabled);
    EXPECT_EQ(w->meter.Mode_Analyse, 0);
    EXPECT_TRUE(timersIdle());
}

TEST_F(BloodTest, TheDropFallsInSevenStepsThenPausesOneSecond) {
    startMeter();
    w->click("Menu_Sang");
    advance(30);  // the first run after start-up uses the design interval
    EXPECT_TRUE(w->Goutte.top == 50 && w->Goutte.visible && w->Probe_Vide.visible);
    for (int step = 2; step <= 6; ++step) {
        advance(100);
        ASSERT_EQ(w->Goutte.top, 50 * step);
    }
    advance(100);  // the seventh step lands and the pair vanishes
    EXPECT_EQ(w->Goutte.top, 0);
    EXPECT_FALSE(w->Goutte.visible || w->Probe_Vide.visible);
    EXPECT_EQ(w->Timer_Anim.interval(), 1000);
    advance(999);
    EXPECT_FALSE(w->Goutte.visible);
    advance(1);
    EXPECT_TRUE(w->Goutte.top == 50 && w->Goutte.visible);

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

TEST_F(MeterWindowTest, TheEndOfARunShowsTheNewestTestsLevelAndItsTimeIfToday) {
    startMeter({{"2000-01-07", "22:00", "08.1", ""}});
    w->click("Menu_Sang");
    advance(500);
    w->escape();
    EXPECT_EQ(w->Aff_Resultat.caption, "08.1");
    EXPECT_EQ(w->Aff_Heure.caption, "");

    startMeter();
    w->journal.setLevel(1, "09.9");  // stale text above Nb_Tests
    w->click("Menu_Calib");
    w->escape();
    EXPECT_EQ(w->Aff_Resultat.caption, "");
    EXPECT_EQ(w->Aff_Heure.caption, "");
}

TEST_F(MeterWindowTest, CalibrationDeviationsAndTheDelayedCheck) {
    for (auto [x, reading, deviation, warned] : {std::tuple{57120u, "X = 28.0", "0", false},
                                                 {56610u, "X = 27.8", "-1", false},
                                                 {56609u, "X = 27.7", "-2", true},
                                                 {58139u, "X = 28.5", "1", false},
                                                 {58140u, "X = 28.5", "2", true},
                                                 {0u, "X = 00.0", "-112", true}}) {
        probe(kRest, kRest);
        startMeter();
        w->click("Menu_Calib");
        probe(x, kRest);
        advance(1100);
        EXPECT_EQ(w->X_Axe.text(), reading) << x;
        EXPECT_EQ(w->Aff_Cal_X.caption, deviation) << x;
        EXPECT_EQ(w->Aff_Cal_Y.caption, "0") << x;
        EXPECT_EQ(w->Information.caption, warned ? "Check your calibration" : "") << x;
        EXPECT_EQ(w->Information.fore, warned ? colour::kDarkRed : colour::kDarkBlue) << x;
    }
}

TEST_F(MeterWindowTest, CalibrationBringsTheChartBackToToday) {
    startMeter({{"2000-01-01", "08:00", "07.5", ""}});
    ASSERT_TRUE(w->userScroll(32766));
    ASSERT_EQ(w->Aff_Date.caption, "2000-01-07");
    w->click("Menu_Calib");
    EXPECT_EQ(w->Aff_Date.caption, "2000-01-08");
    EXPECT_FALSE(w->Bout_Auj.enabled);
    EXPECT_EQ(w->Aff_Resultat.caption, "");
}

}  // namespace
}  // namespace dx::testing
