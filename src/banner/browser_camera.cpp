#include "window/fenetre.h"

namespace dx {

void Fenetre::Image_FTP_Click() {}  // TODO(banner)
void Fenetre::Image_FTP_DblClick() {}  // TODO(banner)
void Fenetre::Ouvre_URL() {}  // TODO(banner)
void Fenetre::Timer_Camera_Timer() {}  // TODO(banner)
void Fenetre::Img_Cam1_Click() {}  // TODO(banner)
void Fenetre::Img_Cam2_Click() {}  // TODO(banner)
void Fenetre::Image_Camera() {}  // TODO(banner)

} // namespace dx
