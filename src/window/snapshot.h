#pragma once

// The window as JSON: every control with the properties of its kind, the
// control arrays, the form-level variables and the journal. The replay runner
// prints it for `dump` and for a printout; tests compare it.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"  // jsonQuote

namespace dx {

class Fenetre;

// {"dump":{"controls":{…},"arrays":{…},"vars":{…},"journal":[…]}}, compact.
// With a non-empty `only`, holds just the controls, arrays and variables of
// those names; the journal is always there.
std::string snapshotJson(const Fenetre& window, const std::vector<std::string>& only = {});

// Whether `name` is something a snapshot can hold: a control, a control array
// or a form-level variable.
bool snapshotKnows(const Fenetre& window, const std::string& name);

// Ligne, Aff_Jour, Aff_Mois, Aff_Niveau.
bool isControlArray(const std::string& name);

}  // namespace dx
