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

// Why a file could not be read.
inline constexpr Bilingual kDanglingLink = {"C'est un lien vers ", "It is a link to "};
inline constexpr Bilingual kDanglingLinkEnd = {
    ", qui est introuvable (un disque qui n'est pas branché ?).",
    ", which cannot be found (a drive that is not connected?)."};
inline constexpr Bilingual kTooLarge = {"Le fichier est trop grand pour être lu : plus de ",
                                        "The file is too large to be read: more than "};
inline constexpr Bilingual kMebibytes = {" Mio.", " MiB."};
inline constexpr Bilingual kKibibytes = {" Kio.", " KiB."};
inline constexpr Bilingual kNotAFile = {
    "Ce n'est pas un fichier (un dossier, un tube ou un périphérique).",
    "It is not a file (a folder, a pipe or a device)."};

}  // namespace settings_text
}  // namespace dx
