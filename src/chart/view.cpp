#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Sem_Click() {}  // TODO(chart)
void Fenetre::Menu_Mois_Click() {}  // TODO(chart)
void Fenetre::Menu_Annee_Click() {}  // TODO(chart)
void Fenetre::Choix_Annee() {}  // TODO(chart)
void Fenetre::Valeur_Curseur() {}  // TODO(chart)
void Fenetre::Reset() {}  // TODO(chart)

} // namespace dx
