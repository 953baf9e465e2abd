#include "window/fenetre.h"

namespace dx {

void Fenetre::Resume_Reset() {}  // TODO(chart)
void Fenetre::Resume_Semaine() {}  // TODO(chart)
void Fenetre::Menu_Hystorique_Click() {}  // TODO(chart)

} // namespace dx
