#include "journal/datetext.h"
#include "platform/text.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/entry_rules.h"
#include "window/fenetre.h"

namespace dx {

// Opens the entry panel over this week's chart, on today's date and the
// current time, with the default level selected so that typing replaces it.
void Fenetre::Menu_Ajouter_Click() {
    Menu_Option.enabled = false;
    Menu_Fichier.enabled = false;
    chart.Menu_Sem_Click();
    if (Bout_Auj.enabled) chart.Bout_Auj_Click();
    Graphique.back = colour::kLightGrey;
    Cadre_Ajouter.visible = true;
    Desactiver_Menu();
    Dialog_Date.setText(dateText(today()));
    Dialog_Heure.setText(formatShortTime(now()));
    entry.Entree_Active = 1;
    Dialog_Taux.setText("0");
    Affichager_Le_Taux();
    Dialog_Note.setText("");
    Dialog_Taux.select(0, isMgDl(settings.Unite) ? 1 : 4);
    focus("Dialog_Taux");
}

// The key filters reset the field before the key is taken; the field then
// inserts the key at the caret, which the reset left at the end of the
// reset text.
void Fenetre::Dialog_Date_KeyPress(int KeyAscii) {
    if (keyResetsDate(KeyAscii)) Dialog_Date.setText(dateText(today()));
}

void Fenetre::Dialog_Heure_KeyPress(int KeyAscii) {
    if (keyResetsTime(KeyAscii)) Dialog_Heure.setText("00:00");
}

void Fenetre::Dialog_Date_Change() { Verifier_Entree(); }
void Fenetre::Dialog_Heure_Change() { Verifier_Entree(); }

// The thermometer follows the level as typed, kept within the unit's range,
// while the field itself is corrected by the live rules.
void Fenetre::Dialog_Taux_Change() {
    meter.Taux_Courant = takenLevel(Dialog_Taux.text());
    Verifier_Entree();
    meter.Taux_Courant = shownLevel(meter.Taux_Courant, settings.Unite);
    glucoseMeter.Afficher_Thermometre();
}

void Fenetre::Dialog_Date_LostFocus() {
    if (const auto d = textDate(Dialog_Date.text())) Dialog_Date.setText(dateText(*d));
    Valider_Date_Hre();
}

// A time left as "08:" gets its minutes: "08:00".
void Fenetre::Dialog_Heure_LostFocus() {
    const std::string& h = Dialog_Heure.text();
    if (utf8Right(h, 1) == ":") Dialog_Heure.setText(utf8Left(h, 3) + "00");
    Valider_Date_Hre();
}

void Fenetre::Dialog_Taux_LostFocus() {
    Dialog_Taux.setText(formatIfNumber(Dialog_Taux.text(), displayFormat(settings.Unite)));
}

namespace {

// Text the journal file cannot hold is refused with the name of its field.
bool refuseAnyUnstorable(Fenetre& w) {
    const std::pair<const TextField*, const Label*> fields[] = {
        {&w.Dialog_Date, &w.Aff_Dial_Date},
        {&w.Dialog_Heure, &w.Aff_Dial_Heure},
        {&w.Dialog_Taux, &w.Aff_Dial_Taux},
        {&w.Dialog_Note, &w.Aff_Dial_Note},
    };
    for (const auto& [field, label] : fields)
        if (w.refuseUnstorableText(field->text(), label->caption)) return true;
    return false;
}

}  // namespace

// Checks the fields once more and puts the test at the head of the journal.
void Fenetre::Bout_Ok_Click() {
    Valider_Entree();
    Valider_Date_Hre();
    if (entry.Entree_Refusee == 1) return;
    // A full journal is refused before the panel closes, so nothing typed is lost.
    if (refuseFullJournal() || refuseAnyUnstorable(*this)) {
        entry.Entree_Refusee = 1;
        return;
    }

    Graphique.back = colour::kBlack;
    Cadre_Ajouter.visible = false;
    Information.caption = "";
    addTest(Dialog_Date.text(), Dialog_Heure.text(), Dialog_Taux.text(), Dialog_Note.text());
    chart.Mois_Sem();
    markUnsaved();
    entry.Entree_Active = 0;
    Dialog_Taux.setText(formatIfNumber(Dialog_Taux.text(), "00.0"));
}

// Closes the panel without touching the journal.
void Fenetre::Bout_Cancel_Click() {
    glucoseMeter.Thermometre_Zero();
    Graphique.back = colour::kBlack;
    Cadre_Ajouter.visible = false;
    Curseur.enabled = true;
    for (MenuItem* m :
         {&Menu_Prev, &Menu_Impr_Graph, &Menu_Fichier, &Menu_Hystorique, &Menu_Option})
        m->enabled = true;
}

}  // namespace dx
