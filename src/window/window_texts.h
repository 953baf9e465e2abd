#pragma once

// The texts of the main window's own mechanisms and of the entry panel,
// French beside English. Unit-dependent hints live with the unit table
// (settings/units.h).

#include "platform/text.h"

namespace dx::window_text {

// Hints shown when the mouse moves over a control.
inline constexpr Bilingual kHintToday{"Retour aujourd'hui", "Return today"};
inline constexpr Bilingual kHintCancel{"Refuser les changements", "Refuse modifications"};
inline constexpr Bilingual kHintOk{"Accepter les changements", "Accept modifications"};
inline constexpr Bilingual kHintDate{"La date de l'analyse (verrouillée)",
                                     "The date of the test (locked)"};
inline constexpr Bilingual kHintTime{"L'heure de l'analyse", "The time of the test"};
inline constexpr Bilingual kHintNote{"Ajout d'une note", "Add a special note"};

// The about box: its title is the same in both languages; only the first
// line of its text follows the language.
// The version is the project's own, set once in the build.
inline constexpr const char* kAboutTitle = "Version: " DEXTREL_VERSION;
inline constexpr Bilingual kAboutDescription{"Journal et lecteur de glycémie",
                                             "Blood-glucose diary and meter"};
inline constexpr const char* kMakerName = "The Dextrel project";
inline constexpr const char* kMakerMail = "dextrel@dextrel.example";

// The entry checks on OK. Every box is titled "Message".
inline constexpr const char* kCheckTitle = "Message";
// Follows the time field's caption.
inline constexpr const char* kTimeShape = " = hh:mm";
// Follows the date field's caption and " =", an empty line between; today's
// date text and ")." come after it.
inline constexpr Bilingual kDateAfterToday{
    "La date d'une analyse ne peut pas être postérieure à aujourd'hui (",
    "The date of a test cannot be later than today ("};

}  // namespace dx::window_text
