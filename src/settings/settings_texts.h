#pragma once

// Every text of the settings file's procedures, in both languages.

#include "platform/text.h"

namespace dx {

inline constexpr const char* kSettingsFileName = "dextrel.ini";

namespace settings_text {

inline constexpr Bilingual kFileTitle = {"Le Dextrel", "The Dextrel"};
inline constexpr Bilingual kCannotWrite = {"Les paramètres n'ont pas pu être enregistrés dans\n",
                                           "The setup could not be saved to\n"};
inline constexpr Bilingual kReason = {"Raison : ", "Reason: "};
inline constexpr Bilingual kOldKept = {"Le fichier précédent est resté intact.",
                                       "The previous file is intact."};
inline constexpr Bilingual kCannotRead = {"Les paramètres n'ont pas pu être lus dans\n",
                                          "The setup could not be read from\n"};
inline constexpr Bilingual kDefaultsKeptFile = {
    "Le Dextrel démarre avec les paramètres par défaut et ne remplace pas ce fichier.",
    "The Dextrel starts with the default setup and does not replace this file."};
inline constexpr Bilingual kLockQuestion = {"Voulez-vous VERROUILLER cette option?",
                                            "Do you want to LOCK this option?"};

}  // namespace settings_text
}  // namespace dx
