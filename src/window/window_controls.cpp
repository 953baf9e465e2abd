#include "window/window_controls.h"

#include "meter/meter_texts.h"

namespace dx {

namespace {

Font font(const char* name, double size, bool bold) { return Font{name, size, bold}; }

const Font kArial975Bold = font("Arial", 9.75, true);
const Font kArial825Bold = font("Arial", 8.25, true);
const Font kArial12Bold = font("Arial", 12, true);

}  // namespace

// The maker's web address shown on the information line before anything else.
const char* const kMakerWebAddress = "www.dextrel.example";

WindowControls::WindowControls(const Clock& clock)
    : Timer_Ping(clock, 1000, true),
      Timer_Heure(clock, 1000, false),
      Timer_Joyst(clock, 100, false),
      Timer_Anim(clock, 30, false),
      Timer_Attente(clock, 1000, false),
      Timer_Analyse(clock, 1000, false),
      Timer_Calibration(clock, 1000, false),
      Timer_Camera(clock, 500, false) {
    designControls();
    designMenus();
}

void WindowControls::designControls() {
    form.caption = "Glucose monotor";
    form.back = colour::kLightGrey;

    // Level display and clock.
    Aff_Resultat = {" ",
                    true,
                    true,
                    colour::kYellow,
                    colour::kDarkGreen,
                    "",
                    font("Comic Sans MS", 27.75, true)};
    Aff_Moyenne = {"(average)",
                   false,
                   true,
                   colour::kWhite,
                   colour::kDarkGreen,
                   "",
                   font("Comic Sans MS", 9, true)};
    Aff_Heure = {"Heure", true, true, colour::kBlack, colour::kLightGrey, "", kArial12Bold};
    Aff_Date = {"Date", true, true, colour::kDarkGreen, colour::kLightGrey, "", kArial12Bold};
    Aff_mmol = {"mmol/L", true, true, colour::kBlack, colour::kLightGrey, "", kArial12Bold};
    Aff_Test = {"Test", true, true, colour::kBlack, colour::kLightGrey, "", kArial12Bold};
    Information = {kMakerWebAddress,
                   true,
                   true,
                   colour::kDarkBlue,
                   colour::kLightGrey,
                   "",
                   font("Comic Sans MS", 8.25, false)};
    Aff_Langue = {"Label1", false, true, colour::kBlack, colour::kLightGrey, "", Font{}};
    Aff_Pas_Branche = {"1", false, true, colour::kBlack, colour::kLightGrey, "", Font{}};
    Aff_Anim = {"Fun", false, true, colour::kBlack, colour::kLightGrey, "", Font{}};

    // Results summary.
    Cadre_Resultats = {"Résultats", true, kArial825Bold};
    const Label countLabel{"", true, true, colour::kBlack, colour::kLightGrey, "", kArial825Bold};
    Aff_Optimal = countLabel;
    Aff_Optimal.caption = "Optimal:";
    Aff_Suboptimal = countLabel;
    Aff_Suboptimal.caption = "Suboptimal:";
    Aff_Compromis = countLabel;
    Aff_Compromis.caption = "Compromise:";
    Aff_Res_Optim = countLabel;
    Aff_Res_Sub_Optim = countLabel;
    Aff_Res_Compro = countLabel;

    // Chart.
    Graphique.back = colour::kBlack;
    Line templ{3650, 1300, 3665, 1315, colour::kTemplateCyan, 2, false};
    Ligne = LineArray(templ);
    Objectif1 = {0, 936, 3650, 936, colour::kGrey, 1, true};
    Objectif2 = {0, 1092, 3650, 1092, colour::kGrey, 1, true};
    Curseur.max = 32767;
    Curseur.setValue(32767);
    Bout_Auj = {"n", true, true, "", font("Wingdings", 12, false)};
    const Label axisLabel{"", true, true, colour::kDarkBlue, colour::kLightGrey, "", kArial975Bold};
    for (int i = 1; i <= 7; ++i) Aff_Jour[static_cast<size_t>(i)] = axisLabel;
    Aff_Jour[7]->back = colour::kDarkGreen;
    for (int i = 1; i <= 12; ++i) {
        Aff_Mois[static_cast<size_t>(i)] = axisLabel;
        Aff_Mois[static_cast<size_t>(i)]->visible = false;
    }
    Aff_Mois[12]->back = colour::kDarkGreen;
    static const char* const kLevelLabels[] = {"5", "10", "15", "20", "25"};
    for (int i = 1; i <= 5; ++i) {
        Aff_Niveau[static_cast<size_t>(i)] = axisLabel;
        Aff_Niveau[static_cast<size_t>(i)]->caption = kLevelLabels[i - 1];
        Aff_Niveau[static_cast<size_t>(i)]->fore = colour::kBlack;
    }
    Aff_Nom_Mois = {"Le MOIS",          false, true,         colour::kDarkBlue,
                    colour::kLightGrey, "",    kArial975Bold};
    Aff_Mois_Jr1 = {"1", false, true, colour::kDarkBlue, colour::kLightGrey, "", kArial975Bold};
    Aff_Mois_Dernier_Jr = {"", false, true, colour::kYellow, colour::kDarkGreen, "", kArial975Bold};

    // Entry panel.
    Cadre_Ajouter = {"", false, Font{}};
    const Label dialLabel{"", true, true, colour::kBlack, colour::kLightGrey, "", kArial975Bold};
    Aff_Dial_Date = dialLabel;
    Aff_Dial_Date.caption = "Date";
    Aff_Dial_Heure = dialLabel;
    Aff_Dial_Heure.caption = "Time";
    Aff_Dial_Taux = dialLabel;
    Aff_Dial_Taux.caption = "Rate";
    Aff_Dial_Note = dialLabel;
    Aff_Dial_Note.caption = "Note";
    for (TextField* f : {&Dialog_Date, &Dialog_Heure, &Dialog_Taux, &Dialog_Note})
        f->font = font("Arial", 8.25, false);
    Bout_Ok = {"Ok", true, false, "", kArial975Bold};
    Bout_Cancel = {"Cancel", true, true, "", kArial975Bold};

    // Meter.
    Ligne_Therm1 = {225, 2200, 225, 2430, colour::kDarkRed, 2, true};
    Ligne_Therm2 = {240, 2200, 240, 2430, colour::kWhite, 2, true};
    Ligne_Therm3 = {270, 2200, 270, 2430, colour::kDarkRed, 2, true};
    Animation.visible = false;
    Calibrateur.visible = false;
    Calibrateur.back = colour::kBlack;
    Aff_Cal_X = {"X", true, true, colour::kYellow, colour::kBlack, "", font("Arial", 15.75, true)};
    Aff_Cal_Y = Aff_Cal_X;
    Aff_Cal_Y.caption = "Y";
    X_Axe.font = font("Arial", 8.25, false);
    Y_Axe.font = X_Axe.font;

    // Banner and camera icons.
    Img_Cam1.visible = false;
    Img_Cam2.visible = false;
}

void WindowControls::designMenus() {
    struct Item {
        MenuItem* item;
        MenuItem* parent;
        const char* caption;
        bool enabled;
        bool checked;
    };
    const Item items[] = {
        {&Menu_Fichier, nullptr, "&File", true, false},
        {&Menu_Sauve, &Menu_Fichier, "&Save", false, false},
        {&Menu_Ligne0, &Menu_Fichier, "-", true, false},
        {&Menu_Prev, &Menu_Fichier, "&Preview", true, false},
        {&Menu_Ligne1, &Menu_Fichier, "-", true, false},
        {&Menu_Impr_Graph, &Menu_Fichier, "Print &chart", true, false},
        {&Menu_Ligne2, &Menu_Fichier, "-", true, false},
        {&Menu_Quitter, &Menu_Fichier, "&Quit", true, false},
        {&Menu_Option, nullptr, "&Options", true, false},
        {&Menu_Ajouter, &Menu_Option, "&Add test", true, false},
        {&Menu_Ligne2a, &Menu_Option, "-", true, false},
        {&Menu_Eff, &Menu_Option, "&Erase data", true, false},
        {&Menu_Ligne2b, &Menu_Option, "-", true, false},
        {&Menu_OptMG, &Menu_Option, "m&g/dl", false, false},
        {&Menu_OptMM, &Menu_Option, "&mmol/L", true, true},
        {&Menu_Test, nullptr, "&Test", true, false},
        {&Menu_Note, &Menu_Test, "&Add a note", false, false},
        {&Menu_Ligne3, &Menu_Test, "-", true, false},
        {&Menu_Sang, &Menu_Test, "&Blood Test", false, false},
        {&Menu_Ligne4, &Menu_Test, "-", true, false},
        {&Menu_Calib, &Menu_Test, "&Calibration", false, false},
        {&Menu_Ligne5, &Menu_Test, "-", true, false},
        {&Menu_Annuler, &Menu_Test, "&Return", false, false},
        {&Menu_Hystorique, nullptr, "&History", true, false},
        {&Menu_Sem, &Menu_Hystorique, "&Day/Week", true, true},
        {&Menu_Mois, &Menu_Hystorique, "&Week/Month", true, false},
        {&Menu_Annee, &Menu_Hystorique, "&Month/Year", true, false},
        {&Menu_Aide, nullptr, "&Help", true, false},
        {&Menu_Apropos, &Menu_Aide, "&About ...", true, false},
        {&Menu_Res, nullptr, "&Results?", true, false},
        {&Menu_Res1, &Menu_Res, "Optimal:  >3.9 and <7.1", true, false},
        {&Menu_Res2, &Menu_Res, "Suboptimal:  >7 and  <10.1", true, false},
        {&Menu_Res3, &Menu_Res, "Compromise: >10", true, false},
    };
    for (const Item& i : items) {
        i.item->caption = i.caption;
        i.item->parent = i.parent;
        i.item->enabled = i.enabled;
        i.item->checked = i.checked;
        i.item->visible = true;
    }
}

ChartControls WindowControls::chartControls() {
    return ChartControls{.Graphique = Graphique,
                         .Ligne = Ligne,
                         .Objectif1 = Objectif1,
                         .Objectif2 = Objectif2,
                         .Curseur = Curseur,
                         .Bout_Auj = Bout_Auj,
                         .Aff_Jour = Aff_Jour,
                         .Aff_Mois = Aff_Mois,
                         .Aff_Nom_Mois = Aff_Nom_Mois,
                         .Aff_Mois_Jr1 = Aff_Mois_Jr1,
                         .Aff_Mois_Dernier_Jr = Aff_Mois_Dernier_Jr,
                         .Cadre_Resultats = Cadre_Resultats,
                         .Aff_Res_Optim = Aff_Res_Optim,
                         .Aff_Res_Sub_Optim = Aff_Res_Sub_Optim,
                         .Aff_Res_Compro = Aff_Res_Compro,
                         .Aff_Date = Aff_Date,
                         .Menu_Sem = Menu_Sem,
                         .Menu_Mois = Menu_Mois,
                         .Menu_Annee = Menu_Annee,
                         .Aff_Resultat = Aff_Resultat,
                         .Aff_Moyenne = Aff_Moyenne,
                         .Aff_Heure = Aff_Heure,
                         .Information = Information,
                         .Menu_Note = Menu_Note};
}

MeterControls WindowControls::meterControls() {
    return MeterControls{.form = form,
                         .Animation = Animation,
                         .Goutte = Goutte,
                         .Probe_Vide = Probe_Vide,
                         .Ligne_Therm1 = Ligne_Therm1,
                         .Ligne_Therm2 = Ligne_Therm2,
                         .Ligne_Therm3 = Ligne_Therm3,
                         .Calibrateur = Calibrateur,
                         .Aff_Cal_X = Aff_Cal_X,
                         .Aff_Cal_Y = Aff_Cal_Y,
                         .X_Axe = X_Axe,
                         .Y_Axe = Y_Axe,
                         .Timer_Heure = Timer_Heure,
                         .Timer_Joyst = Timer_Joyst,
                         .Timer_Anim = Timer_Anim,
                         .Timer_Attente = Timer_Attente,
                         .Timer_Analyse = Timer_Analyse,
                         .Timer_Calibration = Timer_Calibration,
                         .Menu_Sang = Menu_Sang,
                         .Menu_Calib = Menu_Calib,
                         .Menu_Annuler = Menu_Annuler,
                         .Menu_Test = Menu_Test,
                         .Aff_Resultat = Aff_Resultat,
                         .Aff_Heure = Aff_Heure,
                         .Aff_Date = Aff_Date,
                         .Information = Information,
                         .Menu_Hystorique = Menu_Hystorique,
                         .Menu_Prev = Menu_Prev,
                         .Menu_Impr_Graph = Menu_Impr_Graph,
                         .Menu_Sauve = Menu_Sauve,
                         .Menu_Note = Menu_Note};
}

}  // namespace dx
