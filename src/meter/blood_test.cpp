#include <cstdint>

#include "journal/datetext.h"
#include "meter/meter.h"
#include "meter/meter_formulas.h"
#include "meter/meter_texts.h"
#include "platform/text.h"
#include "settings/numbers.h"

namespace dx {

void Meter::Menu_Sang_Click() {
    state.Attente_Sec = 0;
    Timer_Attente.setEnabled(true);
    state.Mode_Analyse = 1;
    Lecture_Resultat();
    chart.Menu_Sem_Click();
    chart.Curseur.enabled = false;
    Menu_Calib.enabled = false;
}

void Meter::Lecture_Resultat() {
    Minuteries_On();
    Animation.visible = true;
    host_.Desactiver_Menu();
    Menu_Annuler.enabled = true;
    Information.caption = pick(meter_text::kPlaceDrop, settings.Langue);
}

// A 16-bit count: a run left waiting for hours stops counting rather than
// wrap to a negative count that would turn a late drop into an early one.
void Meter::Timer_Attente_Timer() {
    if (state.Attente_Sec < INT16_MAX) ++state.Attente_Sec;
}

void Meter::Afficher_Analyse() {
    const uint32_t x = state.Position_Sonde.x;
    state.Taux_Courant = waitingLevelText(x);
    if (dropOnProbe(x)) {
        const int16_t langue = settings.Langue;
        if (state.Attente_Sec >= 3) {
            state.Analyse_En_Cours = 1;
            platform.dialogs.beep();
            Information.fore = colour::kDarkBlue;
            Information.caption = pick(meter_text::kOneMoment, langue);
            Timer_Attente.setEnabled(false);
            // The timed analysis starts now; the poll leaves it alone.
            state.Compteur_Analyse = 0;
            Timer_Analyse.setEnabled(true);
        } else {
            // Too soon for a drop the user placed: the probe was wet already.
            Timer_Attente.setEnabled(false);
            host_.message(pick(meter_text::kTestErrorTitle, langue),
                          pick(meter_text::kTestErrorText, langue), MsgButtons::Ok, MsgIcon::None);
            Fin_Analyse();
            return;
        }
    }
    Afficher_Axes();
}

void Meter::Timer_Analyse_Timer() {
    Information.fore = colour::kDarkBlue;
    Menu_Hystorique.enabled = false;
    Menu_Test.enabled = false;
    Information.caption =
        std::to_string(state.Duree_Analyse - state.Compteur_Analyse) + meter_text::kSecondsSuffix;
    if (state.Compteur_Analyse >= state.Duree_Analyse) {
        if (leadingNumber(state.Taux_Courant) > kMaxProbeLevel) state.Taux_Courant = "+25";
        Accepter_Test();
        state.Analyse_En_Cours = 0;
        Timer_Analyse.setEnabled(false);
        platform.dialogs.beep();
        return;
    }
    Joysticks();
    state.Taux_Courant = numberText(probeLevel(state.Position_Sonde.x));
    Afficher_Thermometre();
    ++state.Compteur_Analyse;
    Afficher_Axes();
}

// A full journal refuses the measured test: the run ends with nothing
// stored and the journal keeps its unsaved state as it was.
void Meter::Accepter_Test() {
    Fin_Analyse();
    const std::string time = utf8Left(Aff_Heure.caption, 5);
    const std::string level = levelText00(state.Taux_Courant);
    if (!host_.addTest(Aff_Date.caption, time, level, "")) return;
    Menu_Prev.enabled = false;
    Menu_Sauve.enabled = true;
    Menu_Note.enabled = true;
    Information.caption = "";
    Aff_Heure.caption = time;
    Aff_Resultat.caption = level;
    chart.Mois_Sem();
}

void Meter::Fin_Analyse() {
    Fin_Animation();
    Aff_Heure.caption = formatLongTime(host_.now());
    Timer_Heure.setEnabled(false);
    Timer_Joyst.setEnabled(false);
    Menu_Hystorique.enabled = true;
}

}  // namespace dx
