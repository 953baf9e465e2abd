#pragma once

// The window's controls as the window designs them: their names, captions,
// colours, fonts and first states. The procedures and the fronts read and
// change them; the chart and the meter are handed the ones they drive.

#include <array>
#include <optional>

#include "chart/chart.h"
#include "meter/meter.h"
#include "platform/controls.h"
#include "platform/platform.h"

namespace dx {

struct WindowControls {
    explicit WindowControls(const Clock& clock);
    WindowControls(const WindowControls&) = delete;
    WindowControls& operator=(const WindowControls&) = delete;

    WindowProps form;

    Label Aff_Resultat, Aff_Moyenne, Aff_Heure, Aff_Date, Aff_mmol, Aff_Test, Information,
        Aff_Langue, Aff_Pas_Branche, Aff_Anim;
    Frame Cadre_Resultats;
    Label Aff_Optimal, Aff_Suboptimal, Aff_Compromis, Aff_Res_Optim, Aff_Res_Sub_Optim,
        Aff_Res_Compro;

    Picture Graphique;
    LineArray Ligne;  // element 0 is the hidden template
    Line Objectif1, Objectif2;
    Scrollbar Curseur;
    Button Bout_Auj;
    std::array<std::optional<Label>, 8> Aff_Jour;    // 1..7
    std::array<std::optional<Label>, 13> Aff_Mois;   // 1..12
    std::array<std::optional<Label>, 6> Aff_Niveau;  // 1..5
    Label Aff_Nom_Mois, Aff_Mois_Jr1, Aff_Mois_Dernier_Jr;

    Frame Cadre_Ajouter;
    Label Aff_Dial_Date, Aff_Dial_Heure, Aff_Dial_Taux, Aff_Dial_Note;
    TextField Dialog_Date, Dialog_Heure, Dialog_Taux, Dialog_Note;
    Button Bout_Ok, Bout_Cancel;

    Picture Thermometre, Img_Therm;
    Line Ligne_Therm1, Ligne_Therm2, Ligne_Therm3;
    Picture Animation, Goutte, Probe_Vide, Probe_Rouge;
    Picture Calibrateur;
    Label Aff_Cal_X, Aff_Cal_Y;
    TextField X_Axe, Y_Axe;

    Picture Picture2, Image_FTP, Img_Cam1, Img_Cam2, Shape2;

    MenuItem Menu_Fichier, Menu_Sauve, Menu_Ligne0, Menu_Prev, Menu_Ligne1, Menu_Impr_Graph,
        Menu_Ligne2, Menu_Quitter;
    MenuItem Menu_Option, Menu_Ajouter, Menu_Ligne2a, Menu_Eff, Menu_Ligne2b, Menu_OptMG,
        Menu_OptMM;
    MenuItem Menu_Test, Menu_Note, Menu_Ligne3, Menu_Sang, Menu_Ligne4, Menu_Calib, Menu_Ligne5,
        Menu_Annuler;
    MenuItem Menu_Hystorique, Menu_Sem, Menu_Mois, Menu_Annee;
    MenuItem Menu_Aide, Menu_Apropos;
    MenuItem Menu_Res, Menu_Res1, Menu_Res2, Menu_Res3;

    Timer Timer_Ping, Timer_Heure, Timer_Joyst, Timer_Anim, Timer_Attente, Timer_Analyse,
        Timer_Calibration, Timer_Camera;

    ChartControls chartControls();
    MeterControls meterControls();

private:
    void designControls();
    void designMenus();
};

}  // namespace dx
