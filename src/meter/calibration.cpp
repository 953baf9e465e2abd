#include "meter/meter_formulas.h"
#include "meter/meter_texts.h"
#include "settings/numbers.h"
#include "window/fenetre.h"

namespace dx {

namespace {

void showReadings(TextField& xAxe, TextField& yAxe, const ProbeReading& p) {
    xAxe.setText(axisReadingText('X', p.x));
    yAxe.setText(axisReadingText('Y', p.y));
}

}  // namespace

void Fenetre::Menu_Calib_Click() {
    meter.Mode_Calibration = 1;
    // Escape reaches the Return command whatever control has the focus.
    form.keyPreview = true;
    Aff_Resultat.visible = false;
    Calibrateur.visible = true;
    Desactiver_Menu();
    Timer_Joyst.setEnabled(true);
    Calibration();
    Menu_Sang.enabled = false;
    Menu_Calib.enabled = false;
    Menu_Annuler.enabled = true;
}

void Fenetre::Calibration() {
    Joysticks();
    Afficher_Informations();
    if (view.Curseur_Actif != 0) {
        if (Bout_Auj.enabled) Bout_Auj_Click();
        Aff_Resultat.caption = "";
    }
}

void Fenetre::Afficher_Calibration() {
    const ProbeReading& p = meter.Position_Sonde;
    showReadings(X_Axe, Y_Axe, p);
    Aff_Cal_X.caption = std::to_string(probeDeviation(p.x));
    Aff_Cal_Y.caption = std::to_string(probeDeviation(p.y));
}

// Called on every poll: the panel follows the probe, and the check, armed
// here, runs about once a second (arming a running timer does not restart it).
void Fenetre::Verifier_Calibration() {
    if (meter.Analyse_En_Cours == 1) return;
    Afficher_Calibration();
    Timer_Calibration.setEnabled(true);
}

void Fenetre::Timer_Calibration_Timer() {
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

void Fenetre::Afficher_Axes() {
    showReadings(X_Axe, Y_Axe, meter.Position_Sonde);
    Aff_Resultat.caption = levelText00(meter.Taux_Courant);
}

}  // namespace dx
