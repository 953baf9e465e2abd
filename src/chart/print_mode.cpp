#include "window/fenetre.h"

namespace dx {

void Fenetre::Menu_Impr_Graph_Click() {}  // TODO(chart)
void Fenetre::Menu_Prev_Click() {}  // TODO(chart)

} // namespace dx
