#include "window/fenetre.h"

namespace dx {

void Fenetre::Mois_Sem() {}  // TODO(chart)

} // namespace dx
