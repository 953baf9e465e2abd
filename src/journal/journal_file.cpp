#include "window/fenetre.h"

namespace dx {

void Fenetre::Recuperer() {}  // TODO(journal)
void Fenetre::Sauvegarder() {}  // TODO(journal)
void Fenetre::Menu_Sauve_Click() {}  // TODO(journal)

} // namespace dx
