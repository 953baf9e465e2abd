#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace dx {

// The probe's last reading and the state of a calibration or a blood test.
struct MeterState {
    ProbeReading Position_Sonde;
    int32_t Etat_Sonde = 0;
    int16_t Mode_Analyse = 0;
    int16_t Mode_Calibration = 0;
    int16_t Analyse_En_Cours = 0;
    int16_t Attente_Sec = 0;
    int32_t Compteur_Analyse = 0;
    int16_t Duree_Analyse = 0;
    std::string Taux_Courant;  // the level on the thermometer

    template <class F>
    void forEachVar(F&& f) const {
        f("Etat_Sonde", Etat_Sonde);
        f("Mode_Analyse", Mode_Analyse);
        f("Mode_Calibration", Mode_Calibration);
        f("Analyse_En_Cours", Analyse_En_Cours);
        f("Attente_Sec", Attente_Sec);
        f("Compteur_Analyse", Compteur_Analyse);
        f("Duree_Analyse", Duree_Analyse);
        f("Taux_Courant", Taux_Courant);
    }
};

}  // namespace dx
