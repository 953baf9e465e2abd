#include "window/fenetre.h"

namespace dx {

void Fenetre::Curseur_Change() {}  // TODO(chart)
void Fenetre::Direction_Curseur() {}  // TODO(chart)
void Fenetre::Bout_Auj_Click() {}  // TODO(chart)
void Fenetre::Aujourdhui() {}  // TODO(chart)

} // namespace dx
