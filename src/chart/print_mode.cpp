#include "window/fenetre.h"

namespace dx {

namespace {

// The journal file as it is named on disk; names are case-sensitive here.
constexpr const char* kJournalFileName = "Diabete.glc";

}  // namespace

// The check mark is the print mode; the blinking camera is its trigger.
void Fenetre::Menu_Impr_Graph_Click() {
    if (Menu_Impr_Graph.checked) {
        Menu_Impr_Graph.checked = false;
        Timer_Camera.setEnabled(false);
        Img_Cam1.visible = false;
        Img_Cam2.visible = false;
        return;
    }
    Menu_Impr_Graph.checked = true;
    Img_Cam1.visible = true;
    Timer_Camera.setEnabled(true);
}

// The saved journal goes to the system's viewer as it is; whatever the viewer
// does, the program says nothing.
void Fenetre::Menu_Prev_Click() { platform.shell.openFile(win.Chemin_Prog + kJournalFileName); }

}  // namespace dx
