#include "window/fenetre.h"

namespace dx {

void Fenetre::Ajouter_A_Liste() {}  // TODO(journal)
void Fenetre::Donnees_Presentes() {}  // TODO(journal)
bool Fenetre::refuseFullJournal() { return false; }  // TODO(journal)

} // namespace dx
