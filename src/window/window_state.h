#pragma once

#include <cstdint>
#include <string>

#include "platform/datetime.h"

namespace dx {

// Form-level state of the window itself and of the entry panel.
struct WindowState {
    std::string Chemin_Prog;         // the program's directory, ending with "/"
    std::string Format_Date_Courte;  // the system's short-date pattern
    std::string Reponse;             // answer code of the last question box

    template <class F>
    void forEachVar(F&& f) const {
        f("Chemin_Prog", Chemin_Prog);
        f("Format_Date_Courte", Format_Date_Courte);
        f("Reponse", Reponse);
    }
};

struct EntryState {
    int32_t Index_Note = 0;
    int16_t Entree_Active = 0;
    int16_t Entree_Refusee = 0;
    DateTime Date_Saisie;  // the zero date until a typed date converts

    template <class F>
    void forEachVar(F&& f) const {
        f("Index_Note", Index_Note);
        f("Entree_Active", Entree_Active);
        f("Entree_Refusee", Entree_Refusee);
        f("Date_Saisie", Date_Saisie);
    }
};

}  // namespace dx
