#include "window/fenetre.h"

namespace dx {

void Fenetre::PA_URL() {}  // TODO(banner)
void Fenetre::Timer_Ping_Timer() {}  // TODO(banner)
void Fenetre::Recuperer_URL() {}  // TODO(banner)
void Fenetre::Recuperer_IMG() {}  // TODO(banner)
void Fenetre::Decode(const std::string&) {}  // TODO(banner)

} // namespace dx
