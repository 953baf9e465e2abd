#include "meter/meter.h"
#include "meter/meter_formulas.h"

namespace dx {

namespace {

void setColumnTop(Meter& w, float top) {
    for (Line* l : {&w.Ligne_Therm1, &w.Ligne_Therm2, &w.Ligne_Therm3}) l->y1 = top;
}

// The drop falls in 50-twip steps and vanishes, with the probe, on reaching
// this top.
constexpr int kDropStep = 50;
constexpr int kDropLanded = 350;
constexpr int kFallInterval = 100;
constexpr int kPauseInterval = 1000;

}  // namespace

void Meter::Afficher_Thermometre() {
    setColumnTop(*this, thermometerTop(state.Taux_Courant, settings.Unite));
}

void Meter::Thermometre_Zero() { setColumnTop(*this, kThermometerZero); }

void Meter::Timer_Anim_Timer() {
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
void Meter::Fin_Animation() {
    const bool analysisCutShort =
        state.Analyse_En_Cours == 1 && state.Compteur_Analyse < state.Duree_Analyse;
    Menu_Sang.enabled = true;
    chart.Curseur.enabled = true;
    Re_Activer_Menu();
    Menu_Annuler.enabled = false;
    Timer_Heure.setEnabled(false);
    Timer_Joyst.setEnabled(false);
    Timer_Anim.setEnabled(false);
    Animation.visible = false;
    form.keyPreview = false;
    const bool any = journal.Nb_Tests >= 1;
    Aff_Resultat.caption = any ? journal.Taux_Test[1] : "";
    const bool testToday = any && host_.textDate(journal.Date_Test[1]) == host_.today();
    Aff_Heure.caption = testToday ? journal.Heure_Test[1] : "";
    Information.caption = "";
    Thermometre_Zero();
    state.Mode_Analyse = 0;
    state.Mode_Calibration = 0;
    Timer_Attente.setEnabled(false);
    Timer_Analyse.setEnabled(false);
    Timer_Calibration.setEnabled(false);
    state.Analyse_En_Cours = 0;
    if (analysisCutShort) Menu_Test.enabled = true;
}

// The end of a meter run gives back what Desactiver_Menu took, and the
// calibration; the scrollbar is its caller's.
void Meter::Re_Activer_Menu() {
    for (MenuItem* m : {&Menu_Hystorique, &Menu_Prev, &Menu_Impr_Graph, &Menu_Sang, &Menu_Calib})
        m->enabled = true;
}

// A blood test starts: Escape must reach the window whatever control has
// the focus, then the probe, the clock and the drop run.
void Meter::Minuteries_On() {
    form.keyPreview = true;
    Timer_Joyst.setEnabled(true);
    Timer_Heure.setEnabled(true);
    Timer_Anim.setEnabled(true);
}

}  // namespace dx
