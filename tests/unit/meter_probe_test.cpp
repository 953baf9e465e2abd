// The probe status on the information line, and the calibration panel with
// its delayed check.

#include "meter_window_fixture.h"

namespace dx {
namespace {

using testing::MeterWindowTest;

struct StatusCase {
    int32_t status;
    bool french;
    const char* caption;
    Rgb colour;
    bool bloodTest;  // Menu_Sang enabled after start-up
    bool calibration;
};

class MeterStatus : public MeterWindowTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(MeterStatus, StartUpShowsTheProbeStatus) {
    const StatusCase& c = GetParam();
    sp.probe.reading = ProbeReading{0, 0, c.status};
    start({}, c.french);
    EXPECT_EQ(w->meter.Etat_Sonde, c.status);
    EXPECT_EQ(w->Information.caption, c.caption);
    EXPECT_EQ(w->Information.fore, c.colour);
    EXPECT_EQ(w->Menu_Sang.enabled, c.bloodTest);
    EXPECT_EQ(w->Menu_Calib.enabled, c.calibration);
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, MeterStatus,
    ::testing::Values(
        StatusCase{0, false, "The divice is attached.", colour::kDarkBlue, true, true},
        StatusCase{0, true, "Le cordon est branché.", colour::kDarkBlue, true, true},
        StatusCase{167, false, "The divice is unplugged.", colour::kDarkRed, false, false},
        StatusCase{167, true, "Le cordon est débranché.", colour::kDarkRed, false, false},
        // Another port error names the maker's site and disables nothing,
        // so the menus keep their state from the window's design.
        StatusCase{165, false, "INFO:  www.dextrel.example", colour::kDarkRed, false, false},
        StatusCase{165, true, "INFO:  www.dextrel.example", colour::kDarkRed, false, false}));

TEST_F(MeterWindowTest, UnpluggedAfterAttachedGreysOutOnlyTheBloodTest) {
    start();
    sp.probe.reading = ProbeReading{0, 0, 167};
    w->Joysticks();
    w->Afficher_Informations();
    EXPECT_FALSE(w->Menu_Sang.enabled);
    EXPECT_TRUE(w->Menu_Calib.enabled);
}

TEST_F(MeterWindowTest, DuringABloodTestTheStatusKeepsTheRunsPrompt) {
    start();
    w->click("Menu_Sang");
    w->Information.fore = colour::kDarkRed;
    w->Afficher_Informations();
    EXPECT_EQ(w->Information.caption, "Place a drop of blood between the electrodes.");
    EXPECT_EQ(w->Information.fore, colour::kDarkBlue);
    EXPECT_FALSE(w->Menu_Calib.enabled);
}

TEST_F(MeterWindowTest, AFailedQueryKeepsTheLastPositions) {
    start();
    probe(20400, 30000);
    w->Joysticks();
    sp.probe.reading = ProbeReading{0, 0, 167};
    w->Joysticks();
    EXPECT_EQ(w->meter.Etat_Sonde, 167);
    EXPECT_EQ(w->meter.Position_Sonde.x, 20400U);
    EXPECT_EQ(w->meter.Position_Sonde.y, 30000U);
}

TEST_F(MeterWindowTest, CalibrationOpensAndFollowsTheProbe) {
    start({{"2000-01-05", "08:00", "07.5"}});
    ASSERT_TRUE(w->click("Menu_Calib"));
    EXPECT_EQ(w->meter.Mode_Calibration, 1);
    EXPECT_TRUE(w->form.keyPreview);
    EXPECT_TRUE(w->Calibrateur.visible);
    EXPECT_FALSE(w->Aff_Resultat.visible);
    EXPECT_TRUE(w->Timer_Joyst.enabled());
    EXPECT_FALSE(w->Menu_Sang.enabled);
    EXPECT_FALSE(w->Menu_Calib.enabled);
    EXPECT_TRUE(w->Menu_Annuler.enabled);
    EXPECT_FALSE(w->Menu_Hystorique.enabled);
    EXPECT_FALSE(w->Curseur.enabled);
    EXPECT_EQ(w->Information.caption, "The divice is attached.");

    advance(100);  // the first poll fills the panel
    EXPECT_EQ(w->X_Axe.text(), "X = 28.0");
    EXPECT_EQ(w->Y_Axe.text(), "Y = 28.0");
    EXPECT_EQ(w->Aff_Cal_X.caption, "0");
    EXPECT_EQ(w->Aff_Cal_Y.caption, "0");
    EXPECT_TRUE(w->Timer_Calibration.enabled());

    // One second after the first poll the check clears the line.
    advance(999);
    EXPECT_EQ(w->Information.caption, "The divice is attached.");
    advance(1);
    EXPECT_EQ(w->Information.caption, "");
    EXPECT_EQ(w->Information.fore, colour::kDarkBlue);
    EXPECT_FALSE(w->Timer_Calibration.enabled());
}

struct CalibCase {
    uint32_t x;
    const char* reading;
    const char* deviation;
    bool warned;
};

class CalibrationCheck : public MeterWindowTest, public ::testing::WithParamInterface<CalibCase> {};

TEST_P(CalibrationCheck, ThePanelAndTheDelayedCheck) {
    const CalibCase& c = GetParam();
    start();
    w->click("Menu_Calib");
    probe(c.x, kRest);
    advance(1100);
    EXPECT_EQ(w->X_Axe.text(), c.reading);
    EXPECT_EQ(w->Aff_Cal_X.caption, c.deviation);
    EXPECT_EQ(w->Aff_Cal_Y.caption, "0");
    EXPECT_EQ(w->Information.caption, c.warned ? "Check your calibration" : "");
    EXPECT_EQ(w->Information.fore, c.warned ? colour::kDarkRed : colour::kDarkBlue);
}

INSTANTIATE_TEST_SUITE_P(Deviations, CalibrationCheck,
                         ::testing::Values(CalibCase{57120, "X = 28.0", "0", false},
                                           CalibCase{56610, "X = 27.8", "-1", false},
                                           CalibCase{56609, "X = 27.7", "-2", true},
                                           CalibCase{58139, "X = 28.5", "1", false},
                                           CalibCase{58140, "X = 28.5", "2", true},
                                           CalibCase{0, "X = 00.0", "-112", true}));

TEST_F(MeterWindowTest, CalibrationBringsTheChartBackToToday) {
    start({{"2000-01-01", "08:00", "07.5"}});
    ASSERT_TRUE(w->userScroll(32766));
    ASSERT_EQ(w->Aff_Date.caption, "2000-01-07");
    w->click("Menu_Calib");
    EXPECT_EQ(w->Aff_Date.caption, "2000-01-08");
    EXPECT_FALSE(w->Bout_Auj.enabled);
    EXPECT_EQ(w->Aff_Resultat.caption, "");
}

TEST_F(MeterWindowTest, TheCheckRepeatsAndSpeaksFrench) {
    start({}, true);
    w->click("Menu_Calib");
    advance(1100);
    EXPECT_EQ(w->Information.caption, "");
    probe(kRest, 60000);  // Y drifts off: the next check warns
    advance(1100);
    EXPECT_EQ(w->Aff_Cal_Y.caption, "5");
    EXPECT_EQ(w->Information.caption, "Vérifier votre calibration");
}

TEST_F(MeterWindowTest, EscapeClosesTheCalibration) {
    start({{"2000-01-08", "09:30", "06.2"}});
    w->click("Menu_Calib");
    advance(500);
    w->escape();
    EXPECT_FALSE(w->Calibrateur.visible);
    EXPECT_TRUE(w->Aff_Resultat.visible);
    EXPECT_EQ(w->meter.Mode_Calibration, 0);
    EXPECT_FALSE(w->form.keyPreview);
    EXPECT_FALSE(w->Timer_Joyst.enabled());
    EXPECT_TRUE(w->Menu_Sang.enabled);
    EXPECT_TRUE(w->Menu_Calib.enabled);
    EXPECT_FALSE(w->Menu_Annuler.enabled);
    EXPECT_EQ(w->Aff_Resultat.caption, "06.2");
    // The check armed by the first poll does not run after the panel closed.
    advance(5000);
    EXPECT_FALSE(w->nextDueTimer().has_value());
}

} // namespace
} // namespace dx
