#include <cstdint>

#include "journal/datetext.h"
#include "meter/meter_formulas.h"
#include "meter/meter_texts.h"
#include "settings/numbers.h"
#include "settings/text.h"
#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Test_Click() { Donnees_Presentes(); }

void Fenetre::Menu_Sang_Click() {
    meter.Attente_Sec = 0;
    Timer_Attente.setEnabled(true);
    meter.Mode_Analyse = 1;
    Lecture_Resultat();
    Menu_Sem_Click();
    Curseur.enabled = false;
    Menu_Calib.enabled = false;
}

void Fenetre::Lecture_Resultat() {
    Minuteries_On();
    Animation.visible = true;
    Desactiver_Menu();
    Menu_Annuler.enabled = true;
    Information.caption = pick(meter_text::kPlaceDrop, settings.Langue);
}

// A 16-bit count: a run left waiting for hours stops counting rather than
// wrap to a negative count that would turn a late drop into an early one.
void Fenetre::Timer_Attente_Timer() {
    if (meter.Attente_Sec < INT16_MAX) ++meter.Attente_Sec;
}

void Fenetre::Afficher_Analyse() {
    const uint32_t x = meter.Position_Sonde.x;
    meter.Taux_Courant = waitingLevelText(x);
    if (dropOnProbe(x)) {
        const int16_t langue = settings.Langue;
        if (meter.Attente_Sec >= 3) {
            meter.Analyse_En_Cours = 1;
            platform.dialogs.beep();
            Information.fore = colour::kDarkBlue;
            Information.caption = pick(meter_text::kOneMoment, langue);
            Timer_Attente.setEnabled(false);
            // The timed analysis starts now; the poll leaves it alone.
            meter.Compteur_Analyse = 0;
            Timer_Analyse.setEnabled(true);
        } else {
            // Too soon for a drop the user placed: the probe was wet already.
            Timer_Attente.setEnabled(false);
            message(pick(meter_text::kTestErrorTitle, langue),
                    pick(meter_text::kTestErrorText, langue));
            Fin_Analyse();
            return;
        }
    }
    Afficher_Axes();
}

void Fenetre::Timer_Analyse_Timer() {
    Information.fore = colour::kDarkBlue;
    Menu_Hystorique.enabled = false;
    Menu_Test.enabled = false;
    Information.caption =
        std::to_string(meter.Duree_Analyse - meter.Compteur_Analyse) + meter_text::kSecondsSuffix;
    if (meter.Compteur_Analyse >= meter.Duree_Analyse) {
        if (leadingNumber(meter.Taux_Courant) > kMaxProbeLevel) meter.Taux_Courant = "+25";
        Accepter_Test();
        meter.Analyse_En_Cours = 0;
        Timer_Analyse.setEnabled(false);
        platform.dialogs.beep();
        return;
    }
    Joysticks();
    meter.Taux_Courant = numberText(probeLevel(meter.Position_Sonde.x));
    Afficher_Thermometre();
    ++meter.Compteur_Analyse;
    Afficher_Axes();
}

// A full journal refuses the measured test: the run ends with nothing
// stored and the journal keeps its unsaved state as it was.
void Fenetre::Accepter_Test() {
    Fin_Analyse();
    const std::string time = utf8Left(Aff_Heure.caption, 5);
    const std::string level = levelText00(meter.Taux_Courant);
    if (!addTest(Aff_Date.caption, time, level, "")) return;
    Menu_Prev.enabled = false;
    Menu_Sauve.enabled = true;
    Menu_Note.enabled = true;
    Information.caption = "";
    Aff_Heure.caption = time;
    Aff_Resultat.caption = level;
    Mois_Sem();
}

void Fenetre::Fin_Analyse() {
    Fin_Animation();
    Aff_Heure.caption = formatLongTime(now());
    Timer_Heure.setEnabled(false);
    Timer_Joyst.setEnabled(false);
    Menu_Hystorique.enabled = true;
}

}  // namespace dx
