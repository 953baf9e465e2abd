#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Calib_Click() {}  // TODO(meter)
void Fenetre::Calibration() {}  // TODO(meter)
void Fenetre::Afficher_Calibration() {}  // TODO(meter)
void Fenetre::Verifier_Calibration() {}  // TODO(meter)
void Fenetre::Timer_Calibration_Timer() {}  // TODO(meter)
void Fenetre::Afficher_Axes() {}  // TODO(meter)

} // namespace dx
