#include "window/fenetre.h"

namespace dx {

void Fenetre::Afficher_Taux() {}  // TODO(window)
void Fenetre::Affichager_Le_Taux() {}  // TODO(window)

} // namespace dx
