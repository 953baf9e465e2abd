#include <string>

#include "journal/datetext.h"
#include "settings/units.h"
#include "window/fenetre.h"
#include "window/window_texts.h"

namespace dx {

namespace {

constexpr int kEscape = 27;

}  // namespace

// Commands that would disturb an entry, a calibration or a blood test.
void Fenetre::Desactiver_Menu() {
    for (MenuItem* m : {&Menu_Hystorique, &Menu_Prev, &Menu_Impr_Graph, &Menu_Sang})
        m->enabled = false;
    Curseur.enabled = false;
}

void Fenetre::Timer_Heure_Timer() { Afficher_Heure(); }

// The live clock. Aff_Date is left alone at midnight: it is the chart's
// anchor, and changing it without redrawing would put a new date over the
// old week's chart. The next move to today brings the new day.
void Fenetre::Afficher_Heure() { Aff_Heure.caption = formatLongTime(now()); }

// Reached only while the window previews keys or no control has the focus.
// The Return item is never hidden, so Escape always gets through.
void Fenetre::Form_KeyDown(int KeyCode) {
    if (KeyCode == kEscape && Menu_Annuler.visible) Menu_Annuler_Click();
}

// Leaves the calibration or blood-test display.
void Fenetre::Menu_Annuler_Click() {
    Aff_Resultat.visible = true;
    Calibrateur.visible = false;
    glucoseMeter.Fin_Animation();
    Menu_Sang.enabled = true;
    Menu_Calib.enabled = true;
}

void Fenetre::Menu_Apropos_Click() {
    const std::string text = std::string(pick(window_text::kAboutDescription, settings.Langue)) +
                             "\n" + window_text::kMakerName + "\n" + window_text::kMakerMail +
                             "\n" + banner.Adresse_Site;
    message(window_text::kAboutTitle, text, MsgButtons::Ok, MsgIcon::None);
}

void Fenetre::Menu_Hystorique_Click() { Donnees_Presentes(); }

void Fenetre::Menu_Test_Click() { Donnees_Presentes(); }

}  // namespace dx
