#include "window/fenetre.h"

namespace dx {

void Fenetre::Graphiques() {}  // TODO(chart)
void Fenetre::Test_Du_Jour() {}  // TODO(chart)

} // namespace dx
