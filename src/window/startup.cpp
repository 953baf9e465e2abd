#include "chart/chart_walk.h"
#include "platform/text.h"
#include "settings/language.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace {

const Bilingual kBeforeQuitting = {"Avant de QUITTER!", "Before QUITTING!"};
const Bilingual kSaveSetup = {"Voulez-vous sauvegarder vos paramêtres?",
                              "Do you want to save your setup?"};
const Bilingual kSaveData = {"Voulez-vous sauvegarder vos données?",
                             "Do you want to save your data?"};
const Bilingual kQuitTitle = {"Le Dextrel", "The Dextrel"};
// Asked when a save chosen at quit failed. Yes, the first button, is the
// choice that loses nothing.
const Bilingual kStayAfterSetupFailure = {
    "Vos paramètres n'ont pas été sauvegardés.\n"
    "Voulez-vous rester dans le Dextrel pour pouvoir réessayer?\n"
    "(Non quitte sans sauvegarder les paramètres.)",
    "Your setup could not be saved.\n"
    "Do you want to stay in the Dextrel so that you can try again?\n"
    "(No quits without saving the setup.)"};
const Bilingual kStayAfterDataFailure = {
    "Vos données n'ont pas été sauvegardées.\n"
    "Voulez-vous rester dans le Dextrel pour pouvoir les sauvegarder plus tard?\n"
    "(Non quitte et perd les analyses ajoutées depuis la dernière sauvegarde.)",
    "Your data could not be saved.\n"
    "Do you want to stay in the Dextrel so that you can save them later?\n"
    "(No quits and loses the tests added since the last save.)"};

}  // namespace

MsgAnswer Fenetre::askYesNo(const std::string& title, const std::string& text, MsgIcon icon) {
    const MsgAnswer answer = message(title, text, MsgButtons::YesNo, icon);
    // The answer codes of a question box: 6 Yes, 7 No (1 OK).
    const char code = answer == MsgAnswer::Yes ? '6' : answer == MsgAnswer::No ? '7' : '1';
    win.Reponse.assign(1, code);
    return answer;
}

// Brings every subsystem up, in this order; run again after every save
// from the menu, so that a save ends with a complete reload.
void Fenetre::Form_Load() {
    Recup_Init();
    PA_URL();
    settings.Facteur_Unite = unitFactor(settings.Unite);
    view.Curseur_Actif = 0;
    settings.Langue = 0;
    view.Periode = 7;
    meter.Duree_Analyse = 33;
    if (languageFlag(platform.locale.languageName()) == 1) {
        settings.Langue = 1;
        Traduction();
    }
    Aff_Langue.caption = std::to_string(settings.Langue);
    Correspondance();
    Afficher_Heure();
    win.Format_Date_Courte = platform.locale.shortDatePattern();
    glucoseMeter.Port_Joystick();
    win.Chemin_Prog = platform.env.programDir();
    Recuperer();
    drawJournalFromToday();
    form.pointer = MousePointer::Default;
    glucoseMeter.Presence_Joystick();
    showNewestTest();
}

// The week ending today, drawn from the journal as it stands.
void Fenetre::drawJournalFromToday() {
    chart.Partitions_Graphiques();
    const Journal& j = journal;
    const auto oldest = static_cast<size_t>(j.Nb_Tests);
    if (j.Nb_Tests > 0) {
        // A test whose date cannot be read counts as today's.
        const int64_t days =
            j.dayNumber[oldest] == Journal::kNoDay ? 0 : today().day() - j.dayNumber[oldest];
        view.Position_Min = static_cast<int32_t>(chart::kWeekOrigin - days);
        view.Qte_Jrs_Historique = static_cast<int32_t>(days);
        chart.Reset();
    } else {
        Aff_Date.caption = dateText(today());
        view.Date_Affichee = today();
        Curseur.enabled = false;
    }
    chart.Mois_Sem();
}

// The level display on the newest test, the scrollbar and the menus as the
// journal allows.
void Fenetre::showNewestTest() {
    const Journal& j = journal;
    const auto oldest = static_cast<size_t>(j.Nb_Tests);
    Afficher_Taux();

    if (auto shown = textDate(Aff_Date.caption)) view.Date_Affichee = *shown;
    view.Curseur_Actif = 1;
    view.Ancienne_Position = Curseur.value();

    view.Index_Test = 0;
    if (j.Nb_Tests > 0) {
        Aff_Resultat.caption = formatNumber(j.levelNumber[1], storageFormat(settings.Unite));
        Aff_Heure.caption = j.Heure_Test[1];
    } else {
        Aff_Resultat.caption.clear();
        Aff_Heure.caption.clear();
    }

    if (j.Nb_Tests > 0) {
        // Enabled only when there is history beyond the week on show.
        Curseur.enabled = j.dayNumber[oldest] != Journal::kNoDay &&
                          view.Date_Affichee.addDays(-7).day() >= j.dayNumber[oldest];
        chart.Lignes_Objectif();
        Affichager_Le_Taux();
    } else {
        Menu_Hystorique.enabled = false;
        Menu_Prev.enabled = false;
        Menu_Impr_Graph.enabled = false;
    }
}

// Never cancels the close itself: Quitter_Dextrel ends the program, and
// returns only when the user chose to stay after a failed save.
void Fenetre::Form_Unload() { Quitter_Dextrel(); }

void Fenetre::Menu_Quitter_Click() { Quitter_Dextrel(); }

void Fenetre::Quitter_Dextrel() {
    const int16_t l = settings.Langue;
    if (settings.Setup_Modifie == 1 &&
        askYesNo(pick(kSaveSetup, l), pick(kBeforeQuitting, l)) == MsgAnswer::Yes) {
        if (!saveSetup() && askYesNo(pick(kQuitTitle, l), pick(kStayAfterSetupFailure, l),
                                     MsgIcon::Exclamation) == MsgAnswer::Yes)
            return;
    }
    if (!Menu_Sauve.enabled) endProgram();
    if (askYesNo(pick(kSaveData, l), pick(kBeforeQuitting, l)) == MsgAnswer::Yes) {
        if (!saveSetupAndJournal() && askYesNo(pick(kQuitTitle, l), pick(kStayAfterDataFailure, l),
                                               MsgIcon::Exclamation) == MsgAnswer::Yes)
            return;
    }
    endProgram();
}

}  // namespace dx
