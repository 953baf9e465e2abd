#include "window/fenetre.h"

namespace dx {

void Fenetre::Recup_Init() {}  // TODO(settings)
void Fenetre::Creer_Ini() {}  // TODO(settings)
void Fenetre::Sauver_Init() {}  // TODO(settings)
void Fenetre::Barrer_Options() {}  // TODO(settings)
void Fenetre::Menu_OptMG_Click() {}  // TODO(settings)
void Fenetre::Menu_OptMM_Click() {}  // TODO(settings)
void Fenetre::Verrouiller() {}  // TODO(settings)

} // namespace dx
