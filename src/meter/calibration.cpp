#include "meter/meter.h"
#include "meter/meter_formulas.h"
#include "meter/meter_texts.h"
#include "settings/numbers.h"

namespace dx {

namespace {

void showReadings(TextField& xAxe, TextField& yAxe, const ProbeReading& p) {
    xAxe.setText(axisReadingText('X', p.x));
    yAxe.setText(axisReadingText('Y', p.y));
}

}  // namespace

void Meter::Menu_Calib_Click() {
    state.Mode_Calibration = 1;
    // Escape reaches the Return command whatever control has the focus.
    form.keyPreview = true;
    Aff_Resultat.visible = false;
    Calibrateur.visible = true;
    host_.Desactiver_Menu();
    Timer_Joyst.setEnabled(true);
    Calibration();
    Menu_Sang.enabled = false;
    Menu_Calib.enabled = false;
    Menu_Annuler.enabled = true;
}

void Meter::Calibration() {
    Joysticks();
    Afficher_Informations();
    if (chart.view.Curseur_Actif != 0) {
        if (chart.Bout_Auj.enabled) chart.Bout_Auj_Click();
        Aff_Resultat.caption = "";
    }
}

void Meter::Afficher_Calibration() {
    const ProbeReading& p = state.Position_Sonde;
    showReadings(X_Axe, Y_Axe, p);
    Aff_Cal_X.caption = std::to_string(probeDeviation(p.x));
    Aff_Cal_Y.caption = std::to_string(probeDeviation(p.y));
}

// Called on every poll: the panel follows the probe, and the check, armed
// here, runs about once a second (arming a running timer does not restart it).
void Meter::Verifier_Calibration() {
    if (state.Analyse_En_Cours == 1) return;
    Afficher_Calibration();
    Timer_Calibration.setEnabled(true);
}

void Meter::Timer_Calibration_Timer() {
    // The deviations are read back from the panel, as the user sees them.
    const double dx = leadingNumber(Aff_Cal_X.caption);
    const double dy = leadingNumber(Aff_Cal_Y.caption);
    const bool off = dx > 1 || dx < -1 || dy > 1 || dy < -1;
    if (off) {
        Information.fore = colour::kDarkRed;
        Information.caption = pick(meter_text::kCheckCalibration, settings.Langue);
    } else {
        Information.caption = "";
        Information.fore = colour::kDarkBlue;
    }
    Timer_Calibration.setEnabled(false);
}

void Meter::Afficher_Axes() {
    showReadings(X_Axe, Y_Axe, state.Position_Sonde);
    Aff_Resultat.caption = levelText00(state.Taux_Courant);
}

}  // namespace dx
