#include "window/fenetre.h"

namespace dx {

void Fenetre::Traduction() {}  // TODO(settings)

} // namespace dx
