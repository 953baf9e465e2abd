#include "window/fenetre.h"

namespace dx {

void Fenetre::Verifier_Entree() {}  // TODO(window)
void Fenetre::Valider_Entree() {}  // TODO(window)
void Fenetre::Valider_Date_Hre() {}  // TODO(window)

} // namespace dx
