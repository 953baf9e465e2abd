#include "window/fenetre.h"

namespace dx {

void Fenetre::Partitions_Graphiques() {}  // TODO(chart)
void Fenetre::Qte_Test_Par_Partition() {}  // TODO(chart)
void Fenetre::Lignes_Objectif() {}  // TODO(chart)
void Fenetre::Ligne_Premiere() {}  // TODO(chart)
void Fenetre::Effacer_Graph() {}  // TODO(chart)
void Fenetre::Effacer_Titre_AxeX() {}  // TODO(chart)

} // namespace dx
