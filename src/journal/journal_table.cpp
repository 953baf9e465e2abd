#include "window/fenetre.h"

namespace dx {

void Fenetre::Ajouter_A_Liste() {}  // TODO(journal)
void Fenetre::Donnees_Presentes() {}  // TODO(journal)

} // namespace dx
