#include "window/fenetre.h"

namespace dx {

void Fenetre::Desactiver_Menu() {}  // TODO(window)
void Fenetre::Re_Activer_Menu() {}  // TODO(window)
void Fenetre::Minuteries_On() {}  // TODO(window)
void Fenetre::Timer_Heure_Timer() {}  // TODO(window)
void Fenetre::Afficher_Heure() {}  // TODO(window)
void Fenetre::Menu_Annuler_Click() {}  // TODO(window)
void Fenetre::Menu_Apropos_Click() {}  // TODO(window)
void Fenetre::Aff_Resultat_MouseMove() {}  // TODO(window)
void Fenetre::Bout_Auj_MouseMove() {}  // TODO(window)
void Fenetre::Bout_Cancel_MouseMove() {}  // TODO(window)
void Fenetre::Bout_Ok_MouseMove() {}  // TODO(window)
void Fenetre::Dialog_Date_MouseMove() {}  // TODO(window)
void Fenetre::Dialog_Heure_MouseMove() {}  // TODO(window)
void Fenetre::Dialog_Note_MouseMove() {}  // TODO(window)
void Fenetre::Dialog_Taux_MouseMove() {}  // TODO(window)
void Fenetre::Form_KeyDown(int) {}  // TODO(window)

} // namespace dx
