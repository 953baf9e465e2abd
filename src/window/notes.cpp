#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Note_Click() {}  // TODO(window)
void Fenetre::Ajouter_Note() {}  // TODO(window)

} // namespace dx
