#pragma once

#include <cstdint>

#include "platform/datetime.h"

namespace dx {

// What the chart shows and where its walk stands.
struct ChartState {
    int16_t Periode = 0;  // 7 Day/Week, 1 Week/Month, 12 Month/Year
    DateTime Date_Affichee;
    DateTime Date_Debut;
    int32_t Ancienne_Position = 0;
    int32_t Position_Min = 0;
    int32_t Qte_Jrs_Historique = 0;
    int16_t Sens_Curseur = 0;  // 0 none, 1 back, 2 forward
    int32_t Curseur_Actif = 0;
    int32_t Pas_Curseur = 0;
    int32_t Nb_Partitions = 0;
    int32_t Largeur_Partition = 0;
    int16_t Epaisseur_Ligne = 0;
    int32_t Index_Test = 0;
    int32_t Mois_Partition = 0;
    int32_t Ligne_Suivante = 0;
    int32_t No_Partition = 0;
    int16_t Premiere_Ligne = 0;
    int32_t Qte_Tests_Partition = 0;
    int32_t Y_Premiere_Partition = 0;
    int32_t Y_Derniere_Partition = 0;
    int32_t Partitions_Restantes = 0;
    int32_t Qte_Resultats = 0;
    // The loop counter the chart procedures share; the window lists it among
    // its own variables.
    int32_t Compteur = 0;
    // The walk's count of each band (optimal, suboptimal, compromise), shown
    // in the summary's captions once the walk is over.
    int32_t bandCounts[3] = {0, 0, 0};

    template <class F>
    void forEachVar(F&& f) const {
        f("Periode", Periode);
        f("Date_Affichee", Date_Affichee);
        f("Date_Debut", Date_Debut);
        f("Ancienne_Position", Ancienne_Position);
        f("Position_Min", Position_Min);
        f("Qte_Jrs_Historique", Qte_Jrs_Historique);
        f("Sens_Curseur", Sens_Curseur);
        f("Curseur_Actif", Curseur_Actif);
        f("Pas_Curseur", Pas_Curseur);
        f("Nb_Partitions", Nb_Partitions);
        f("Largeur_Partition", Largeur_Partition);
        f("Epaisseur_Ligne", Epaisseur_Ligne);
        f("Index_Test", Index_Test);
        f("Mois_Partition", Mois_Partition);
        f("Ligne_Suivante", Ligne_Suivante);
        f("No_Partition", No_Partition);
        f("Premiere_Ligne", Premiere_Ligne);
        f("Qte_Tests_Partition", Qte_Tests_Partition);
        f("Y_Premiere_Partition", Y_Premiere_Partition);
        f("Y_Derniere_Partition", Y_Derniere_Partition);
        f("Partitions_Restantes", Partitions_Restantes);
        f("Qte_Resultats", Qte_Resultats);
    }
};

}  // namespace dx
