#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Eff_Click() {}  // TODO(journal)
void Fenetre::Effacer_Donnees() {}  // TODO(journal)

} // namespace dx
