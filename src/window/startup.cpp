#include "window/fenetre.h"

namespace dx {

void Fenetre::Form_Load() {}  // TODO(window)
void Fenetre::Form_Unload() {}  // TODO(window)
void Fenetre::Menu_Quitter_Click() {}  // TODO(window)
void Fenetre::Re_Executer() {}  // TODO(window)
void Fenetre::Quitter_Dextrel() { endProgram(); }  // TODO(journal)

} // namespace dx
