#include "window/fenetre.h"

namespace dx {

void Fenetre::Correspondance() {}  // TODO(settings)

} // namespace dx
