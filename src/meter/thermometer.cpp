#include "window/fenetre.h"

namespace dx {

void Fenetre::Afficher_Thermometre() {}  // TODO(meter)
void Fenetre::Thermometre_Zero() {}  // TODO(meter)
void Fenetre::Timer_Anim_Timer() {}  // TODO(meter)
void Fenetre::Fin_Animation() {}  // TODO(meter)

} // namespace dx
