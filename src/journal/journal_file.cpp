#include "window/fenetre.h"

namespace dx {

void Fenetre::Recuperer() {}  // TODO(journal)
void Fenetre::Sauvegarder() {}  // TODO(journal)
void Fenetre::Menu_Sauve_Click() {}  // TODO(journal)
bool Fenetre::refuseUnstorableText(const std::string&, const std::string&) { return false; }  // TODO(journal)

} // namespace dx
