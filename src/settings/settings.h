#pragma once

#include <cstdint>

namespace dx {

// The setup read from dextrel.ini, the unit and the language.
struct SettingsState {
    int16_t Unite = 0;   // 0 mmol/L, any other value mg/dl
    int16_t Verrou = 0;  // 1 hides the unit choice
    int16_t Option_Anim = 0;
    int16_t Setup_Modifie = 0;  // 1 once the unit was switched
    int32_t Facteur_Unite = 1;  // chart divisor: 1 or 18
    int16_t Langue = 0;         // 1 French, otherwise English

    template <class F>
    void forEachVar(F&& f) const {
        f("Unite", Unite);
        f("Verrou", Verrou);
        f("Option_Anim", Option_Anim);
        f("Setup_Modifie", Setup_Modifie);
        f("Facteur_Unite", Facteur_Unite);
        f("Langue", Langue);
    }
};

}  // namespace dx
