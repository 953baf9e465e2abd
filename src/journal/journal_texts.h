#pragma once

// Every text the journal shows, in both languages, side by side.

#include "platform/text.h"
#include "settings/settings_texts.h"

namespace dx::journal_texts {

inline constexpr Bilingual kFileTitle = {"Le Dextrel", "The Dextrel"};
inline constexpr Bilingual kMessageTitle = {"Message", "Message"};

// Reading the file.
inline constexpr Bilingual kReadStopped = {"La lecture du journal s'est arrêtée à la ligne ",
                                           "Reading the journal stopped at line "};
inline constexpr Bilingual kOfFile = {" du fichier ", " of the file "};
inline constexpr Bilingual kShortRecord = {
    "Cette ligne n'a pas ses quatre champs (date, heure, taux, note).",
    "This line does not hold the four fields (date, time, level, note)."};
inline constexpr Bilingual kOpenQuote = {"Un champ ouvert par un guillemet n'y est pas refermé.",
                                         "A field opened with a double quote is not closed there."};
inline constexpr Bilingual kTooManyTests = {"Le journal ne peut contenir plus de 5000 analyses.",
                                            "The journal cannot hold more than 5000 tests."};
inline constexpr Bilingual kTestsLoaded = {" analyses ont été chargées.", " tests were loaded."};
inline constexpr Bilingual kCopyKept = {"Le fichier complet est gardé tel quel sous le nom ",
                                        "The whole file is kept as it was under the name "};
inline constexpr Bilingual kCopyKeptEnd = {", à côté du journal.", ", beside the journal."};
inline constexpr Bilingual kCopyFailed = {
    "ATTENTION : la copie du fichier complet n'a pas pu être faite. Gardez-en une copie "
    "vous-même avant de sauvegarder.",
    "WARNING: the whole file could not be copied. Keep a copy of it yourself before "
    "saving."};
inline constexpr Bilingual kCannotRead = {"Le journal n'a pas pu être lu:\n",
                                          "The journal could not be read:\n"};
inline constexpr Bilingual kNothingLoaded = {
    "Aucune analyse n'est chargée et le fichier ne sera pas remplacé.",
    "No test is loaded and the file will not be replaced."};

// Writing the file.
inline constexpr Bilingual kCannotWrite = {"Le journal n'a pas pu être enregistré dans\n",
                                           "The journal could not be saved to\n"};
inline constexpr Bilingual kCannotCreate = {"Le journal n'a pas pu être créé:\n",
                                            "The journal could not be created:\n"};
using settings_text::kReason;
inline constexpr Bilingual kPreviousUnreadable = {"le fichier précédent n'a pas pu être lu.",
                                                  "the previous file could not be read."};
inline constexpr Bilingual kNoBackup = {
    "la copie de sécurité du fichier précédent n'a pas pu être faite. ",
    "the safety copy of the previous file could not be made. "};
inline constexpr Bilingual kOldFileIntact = {
    "Le fichier précédent est resté intact et vos analyses sont toujours en mémoire. "
    "Libérez de la place ou rendez le dossier accessible en écriture, puis sauvegardez de "
    "nouveau.",
    "The previous file is intact and your tests are still in memory. Free some space or "
    "make the folder writable, then save again."};
inline constexpr Bilingual kEraseNotDone = {
    "Rien n'a été effacé : le fichier et les analyses en mémoire sont restés tels quels.",
    "Nothing was erased: the file and the tests in memory are as they were."};

// One writer per journal, and a file that is not the one read.
inline constexpr Bilingual kOpenElsewhere = {"Le journal\n", "The journal\n"};
inline constexpr Bilingual kOpenElsewhereEnd = {
    "\nest déjà ouvert dans une autre fenêtre du Dextrel.\n\n"
    "Cette fenêtre le montre tel qu'il a été sauvegardé, mais ne peut pas le sauvegarder : "
    "fermez l'autre fenêtre, puis redémarrez le Dextrel pour ajouter des analyses.",
    "\nis already open in another Dextrel window.\n\n"
    "This window shows it as it was saved, but cannot save it: close the other window, "
    "then start the Dextrel again to add tests."};
inline constexpr Bilingual kSavesOff = {
    "le journal est ouvert dans une autre fenêtre du Dextrel, qui seule peut le sauvegarder.",
    "the journal is open in another Dextrel window, which alone may save it."};
inline constexpr Bilingual kChangedOnDisk = {
    "un autre programme a modifié ou remplacé ce fichier depuis que le Dextrel l'a lu. "
    "Il n'est pas écrasé, pour que rien de ce qu'il contient ne soit perdu.",
    "another program has changed or replaced this file since the Dextrel read it. "
    "It is not written over, so that nothing it holds is lost."};
inline constexpr Bilingual kNotReadNotReplaced = {
    "ce fichier n'a pas pu être lu au démarrage. Il n'est pas remplacé, pour que les "
    "analyses qu'il contient ne soient pas perdues. Rendez-le lisible, puis redémarrez le "
    "Dextrel.",
    "this file could not be read at start-up. It is not replaced, so that the tests it "
    "holds are not lost. Make it readable, then start the Dextrel again."};
inline constexpr Bilingual kStillInMemory = {
    "Le fichier n'a pas été touché et vos analyses sont toujours en mémoire : exportez-les "
    "(Rapport, Exporter en CSV) pour les garder.",
    "The file was not touched and your tests are still in memory: export them (Report, "
    "Export CSV) to keep them."};

// The table is full.
inline constexpr Bilingual kJournalFull = {
    "Le journal est plein : il contient déjà 5000 analyses.\n"
    "Effacez les plus anciennes (Options, Effacer données) avant d'en ajouter.",
    "The journal is full: it already holds 5000 tests.\n"
    "Erase the oldest ones (Options, Erase data) before adding more."};

// Text the file cannot hold ("the field " + name + one of the reasons).
inline constexpr Bilingual kTheField = {"Le champ ", "The field "};
inline constexpr Bilingual kNoQuote = {
    " ne peut pas contenir de guillemet (\"). Mettez une apostrophe (') à sa place.",
    " cannot hold a double quote (\"). Use an apostrophe (') instead."};
inline constexpr Bilingual kOneLine = {" doit tenir sur une seule ligne.",
                                       " must fit on one line."};
inline constexpr Bilingual kNoSuchCharacter = {
    " contient un caractère que le journal ne peut pas enregistrer : ",
    " holds a character that the journal cannot store: "};

// Erasing old tests.
inline constexpr Bilingual kEraseTitle = {"Vous vous apprêter à effacer des données ...",
                                          "You are about to erase some data ..."};
inline constexpr Bilingual kEraseCount = {"Vous avez présentement ", "Actualy, you have "};
inline constexpr Bilingual kEraseCountEnd = {" analyses en mémoire.", " TEST in memory."};
inline constexpr Bilingual kEraseNewest = {"La date la plus récente = ", "The earlyest date is = "};
inline constexpr Bilingual kEraseOldest = {"La date la plus ancienne = ", "The oldest date is = "};
inline constexpr Bilingual kEraseEnter = {"ENTREZ LA DATE qui deviendra la plus ancienne.",
                                          "ENTER THE DATE witch will become the oldest."};
inline constexpr Bilingual kEraseQuestion = {"EFFACER toutes les données avant le ",
                                             "ERASE all the data before the "};
inline constexpr Bilingual kEraseQuestionTitle = {"Voulez-vous réellement ...",
                                                  "Do you realy want to ..."};

// The unsaved-data guard.
inline constexpr Bilingual kSaveFirst = {"Vous devez d'abord sauvegarder vos données",
                                         "You must save your actual data"};

}  // namespace dx::journal_texts
