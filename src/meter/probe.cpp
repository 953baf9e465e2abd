#include "window/fenetre.h"

namespace dx {

void Fenetre::Joysticks() {}  // TODO(meter)
void Fenetre::Port_Joystick() {}  // TODO(meter)
void Fenetre::Timer_Joyst_Timer() {}  // TODO(meter)
void Fenetre::Presence_Joystick() {}  // TODO(meter)
void Fenetre::Afficher_Informations() {}  // TODO(meter)

} // namespace dx
