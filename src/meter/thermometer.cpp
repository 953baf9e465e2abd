#include "meter/meter_formulas.h"
#include "window/fenetre.h"

namespace dx {

namespace {

void setColumnTop(Fenetre& w, float top) {
    for (Line* l : {&w.Ligne_Therm1, &w.Ligne_Therm2, &w.Ligne_Therm3}) l->y1 = top;
}

// The drop falls in 50-twip steps and vanishes, with the probe, on reaching
// this top.
constexpr int kDropStep = 50;
constexpr int kDropLanded = 350;
constexpr int kFallInterval = 100;
constexpr int kPauseInterval = 1000;

}  // namespace

void Fenetre::Afficher_Thermometre() {
    setColumnTop(*this, thermometerTop(meter.Taux_Courant, settings.Unite));
}

void Fenetre::Thermometre_Zero() { setColumnTop(*this, kThermometerZero); }

void Fenetre::Timer_Anim_Timer() {
    Timer_Anim.setInterval(kFallInterval);
    Probe_Vide.visible = true;
    Goutte.visible = true;
    Goutte.top += kDropStep;
    if (Goutte.top == kDropLanded) {
        Goutte.visible = false;
        Probe_Vide.visible = false;
        Goutte.top = 0;
        Timer_Anim.setInterval(kPauseInterval);
    }
}

// The common end of every meter run: a blood test stored or refused, a
// calibration or a run the user left with Return or Escape. It also stops
// the wait, the timed analysis and the calibration check: a run the user
// left must never store a test later, a timed analysis cut short must not
// keep the poll from watching for the next run's drop, and a closed panel
// must not put a calibration warning on the line a moment later. The
// countdown turns the Test menu off; when the user leaves it before the time
// is up nothing was stored, so the menu comes back (a stored test leaves it
// off until the journal is saved).
void Fenetre::Fin_Animation() {
    const bool analysisCutShort =
        meter.Analyse_En_Cours == 1 && meter.Compteur_Analyse < meter.Duree_Analyse;
    Menu_Sang.enabled = true;
    Curseur.enabled = true;
    Re_Activer_Menu();
    Menu_Annuler.enabled = false;
    Timer_Heure.setEnabled(false);
    Timer_Joyst.setEnabled(false);
    Timer_Anim.setEnabled(false);
    Animation.visible = false;
    form.keyPreview = false;
    const bool any = journal.Nb_Tests >= 1;
    Aff_Resultat.caption = any ? journal.Taux_Test[1] : "";
    const bool testToday = any && textDate(journal.Date_Test[1]) == today();
    Aff_Heure.caption = testToday ? journal.Heure_Test[1] : "";
    Information.caption = "";
    Thermometre_Zero();
    meter.Mode_Analyse = 0;
    meter.Mode_Calibration = 0;
    Timer_Attente.setEnabled(false);
    Timer_Analyse.setEnabled(false);
    Timer_Calibration.setEnabled(false);
    meter.Analyse_En_Cours = 0;
    if (analysisCutShort) Menu_Test.enabled = true;
}

}  // namespace dx
