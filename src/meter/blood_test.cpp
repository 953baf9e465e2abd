#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Test_Click() {}  // TODO(meter)
void Fenetre::Menu_Sang_Click() {}  // TODO(meter)
void Fenetre::Lecture_Resultat() {}  // TODO(meter)
void Fenetre::Timer_Attente_Timer() {}  // TODO(meter)
void Fenetre::Afficher_Analyse() {}  // TODO(meter)
void Fenetre::Timer_Analyse_Timer() {}  // TODO(meter)
void Fenetre::Accepter_Test() {}  // TODO(meter)
void Fenetre::Fin_Analyse() {}  // TODO(meter)

} // namespace dx
