#include "window/fenetre.h"

namespace dx {

int Fenetre::Qte_Jrs_Annee(DateTime) const { return 365; } // TODO(journal)

} // namespace dx
