#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Ajouter_Click() {}  // TODO(window)
void Fenetre::Dialog_Date_Change() {}  // TODO(window)
void Fenetre::Dialog_Heure_Change() {}  // TODO(window)
void Fenetre::Dialog_Taux_Change() {}  // TODO(window)
void Fenetre::Dialog_Date_LostFocus() {}  // TODO(window)
void Fenetre::Dialog_Heure_LostFocus() {}  // TODO(window)
void Fenetre::Dialog_Taux_LostFocus() {}  // TODO(window)
void Fenetre::Bout_Ok_Click() {}  // TODO(window)
void Fenetre::Bout_Cancel_Click() {}  // TODO(window)
void Fenetre::Dialog_Date_KeyPress(int) {}  // TODO(entry)
void Fenetre::Dialog_Heure_KeyPress(int) {}  // TODO(entry)

} // namespace dx
