#pragma once

// Every text of the logbook, the statistics, the exchange of tests and the
// doctor's report, in both languages, side by side. The desktop dialogs and
// the command line take their texts from here.

#include "platform/text.h"

namespace dx::report_texts {

// ---- The Report menu; each item's access key differs from the others'.
inline constexpr Bilingual kMenuReport = {"&Rapport", "&Report"};
inline constexpr Bilingual kMenuLogbook = {"&Journal de bord...", "&Logbook..."};
inline constexpr Bilingual kMenuStatistics = {"&Statistiques...", "&Statistics..."};
inline constexpr Bilingual kMenuExportCsv = {"Exporter en &CSV...", "Export &CSV..."};
inline constexpr Bilingual kMenuExportJson = {"Exporter en JSON (&Nightscout)...",
                                              "Export &JSON (Nightscout)..."};
inline constexpr Bilingual kMenuImportCsv = {"&Importer un CSV...", "&Import CSV..."};
inline constexpr Bilingual kMenuDoctorPdf = {"Rapport pour le &médecin (PDF)...",
                                             "&Doctor's report (PDF)..."};
inline constexpr Bilingual kMenuPrintDoctor = {"Im&primer le rapport pour le médecin...",
                                               "&Print doctor's report..."};

// ---- Figures.
inline constexpr Bilingual kTests = {"Analyses", "Tests"};
inline constexpr Bilingual kDays = {"Jours avec analyse", "Days with tests"};
inline constexpr Bilingual kMean = {"Moyenne", "Mean"};
inline constexpr Bilingual kSd = {"Écart type", "SD"};
inline constexpr Bilingual kCv = {"Coefficient de variation", "CV"};
inline constexpr Bilingual kGmi = {"GMI (estimation)", "GMI (estimate)"};
inline constexpr Bilingual kNotEnoughTests = {"pas assez d'analyses", "not enough tests"};
inline constexpr Bilingual kGmiNeedsDays = {"il faut 14 jours d'analyses",
                                            "needs 14 days of tests"};
inline constexpr Bilingual kNone = {"aucune", "none"};

// The consensus bands, lowest first, then their limits in each unit.
inline constexpr Bilingual kBandVeryLow = {"Très bas", "Very low"};
inline constexpr Bilingual kBandLow = {"Bas", "Low"};
inline constexpr Bilingual kBandInRange = {"Dans la cible", "In range"};
inline constexpr Bilingual kBandHigh = {"Haut", "High"};
inline constexpr Bilingual kBandVeryHigh = {"Très haut", "Very high"};
inline constexpr const char* kBandLimitsMmol[] = {"< 3.0", "3.0 - 3.9", "3.9 - 10.0", "10.0 - 13.9",
                                                  "> 13.9"};
inline constexpr const char* kBandLimitsMg[] = {"< 54", "54 - 70", "70 - 180", "180 - 250",
                                                "> 250"};

// The program's own bands, and below them.
inline constexpr Bilingual kProgramOptimal = {"Optimal", "Optimal"};
inline constexpr Bilingual kProgramSuboptimal = {"Sous-optimal", "Suboptimal"};
inline constexpr Bilingual kProgramCompromise = {"Compromis", "Compromise"};
inline constexpr Bilingual kProgramBelow = {"Sous l'optimal", "Below optimal"};

// The time-of-day profile.
inline constexpr Bilingual kHour = {"Heure", "Hour"};
inline constexpr Bilingual kMedian = {"Médiane", "Median"};
inline constexpr Bilingual kP25 = {"25e centile", "25th percentile"};
inline constexpr Bilingual kP75 = {"75e centile", "75th percentile"};
inline constexpr Bilingual kCount = {"Nombre", "Count"};

// ---- The doctor's report.
inline constexpr Bilingual kReportTitle = {"Rapport glycémique", "Glucose report"};
inline constexpr Bilingual kFrom = {"Du ", "From "};
inline constexpr Bilingual kTo = {" au ", " to "};
inline constexpr Bilingual kNoTestInRange = {"Aucune analyse dans cette période.",
                                             "No test in this period."};
inline constexpr Bilingual kTimeInRange = {"Temps dans les cibles", "Time in ranges"};
inline constexpr Bilingual kProfile = {"Profil de la journée", "Time-of-day profile"};
inline constexpr Bilingual kCurve = {"Courbe", "Curve"};
inline constexpr Bilingual kTestList = {"Liste des analyses", "List of tests"};
inline constexpr Bilingual kPage = {"Page ", "Page "};
inline constexpr Bilingual kGmiNote = {
    "Le GMI est une estimation de l'HbA1c tirée de la moyenne; il ne la remplace pas.",
    "GMI is an estimate of HbA1c from the mean; it does not replace it."};

// ---- Column headers of the test list and the logbook, and their fields.
inline constexpr Bilingual kDate = {"Date", "Date"};
inline constexpr Bilingual kTime = {"Heure", "Time"};
inline constexpr Bilingual kLevel = {"Taux", "Level"};
inline constexpr Bilingual kNote = {"Note", "Note"};

// ---- Logbook changes.
inline constexpr Bilingual kNoSuchTest = {"Cette analyse n'est plus dans le journal.",
                                          "This test is no longer in the journal."};
inline constexpr Bilingual kTimeFormat = {"L'heure doit s'écrire hh:mm, de 00:00 à 23:59.",
                                          "The time must be written hh:mm, from 00:00 to 23:59."};
inline constexpr Bilingual kTimeOrder = {
    "À cette heure, l'analyse ne serait plus entre ses voisines du journal.",
    "At that time the test would no longer stand between its neighbours in the journal."};
inline constexpr Bilingual kNothingToUndo = {"Il n'y a rien à annuler.",
                                             "There is nothing to undo."};
// ---- Import.
inline constexpr Bilingual kImportTitle = {"Importer", "Import"};
inline constexpr Bilingual kLine = {"Ligne ", "Line "};
inline constexpr Bilingual kMissingColumn = {"une colonne manque", "a column is missing"};
inline constexpr Bilingual kBadDate = {"la date ne se lit pas", "the date cannot be read"};
inline constexpr Bilingual kDateAfterToday = {"la date est après aujourd'hui",
                                              "the date is after today"};
inline constexpr Bilingual kBadTime = {"l'heure ne se lit pas", "the time cannot be read"};
inline constexpr Bilingual kBadLevel = {"le taux ne se lit pas", "the level cannot be read"};
inline constexpr Bilingual kBadUnit = {"l'unité n'est ni mmol/L ni mg/dl",
                                       "the unit is neither mmol/L nor mg/dl"};
inline constexpr Bilingual kLevelRefused = {"le taux est refusé (plus de 0, au plus ",
                                            "the level is refused (above 0, at most "};
inline constexpr Bilingual kUnstorableNote = {"la note contient un caractère refusé : ",
                                              "the note holds a character refused: "};
inline constexpr Bilingual kOverLimit = {
    "Le journal ne peut contenir plus de 5000 analyses : l'import est refusé.",
    "The journal cannot hold more than 5000 tests: the import is refused."};
inline constexpr Bilingual kNothingToImport = {"Aucune nouvelle analyse à importer.",
                                               "No new test to import."};
inline constexpr Bilingual kImported = {" analyses ajoutées au journal.",
                                        " tests added to the journal."};
inline constexpr Bilingual kCannotReadFile = {"Le fichier ne se lit pas comme un CSV : ",
                                              "The file cannot be read as CSV: "};
// "N tests to add, N duplicates skipped, N bad rows"
inline constexpr Bilingual kPlanToAdd = {" analyses à ajouter, ", " tests to add, "};
inline constexpr Bilingual kPlanDuplicates = {" doublons ignorés, ", " duplicates skipped, "};
inline constexpr Bilingual kPlanBad = {" lignes fautives", " bad rows"};
inline constexpr Bilingual kPlanSkipped = {" lignes sans mesure ignorées",
                                           " rows without a reading skipped"};
inline constexpr Bilingual kPlanLeftOut = {" plus anciennes laissées de côté, ",
                                           " older ones left out, "};
// "the row has 5 fields where the header has 4 (a separator inside a note?)"
inline constexpr Bilingual kFieldCountRow = {"la ligne a ", "the row has "};
inline constexpr Bilingual kFieldCountHeader = {" champs alors que l'en-tête en a ",
                                                " fields where the header has "};
inline constexpr Bilingual kFieldCountWhy = {" (un séparateur dans une note ?)",
                                             " (a separator inside a note?)"};

// ---- Export.
inline constexpr Bilingual kExportTitle = {"Exporter", "Export"};
inline constexpr Bilingual kExported = {" analyses exportées.", " tests exported."};
inline constexpr Bilingual kCannotWrite = {"Le fichier n'a pas pu être écrit : ",
                                           "The file could not be written: "};

// ---- Refused while busy.
inline constexpr Bilingual kBusy = {
    "Terminez d'abord la saisie, la calibration ou l'analyse en cours.",
    "First finish the entry, calibration or blood test under way."};

// ==== Dialog captions ====
inline constexpr Bilingual kLogbook = {"Journal de bord", "Logbook"};
inline constexpr Bilingual kSearch = {"Rechercher", "Search"};
inline constexpr Bilingual kFromCaption = {"Du", "From"};
inline constexpr Bilingual kToCaption = {"Au", "To"};
inline constexpr Bilingual kEdit = {"Modifier", "Edit"};
inline constexpr Bilingual kDelete = {"Supprimer", "Delete"};
inline constexpr Bilingual kUndo = {"Annuler", "Undo"};
inline constexpr Bilingual kClose = {"Fermer", "Close"};
inline constexpr Bilingual kStatistics = {"Statistiques", "Statistics"};
inline constexpr Bilingual kRange = {"Période", "Range"};
inline constexpr Bilingual kPeriodOnShow = {"Période affichée", "Period on show"};
inline constexpr Bilingual kAllTests = {"Toutes les analyses", "All tests"};
inline constexpr Bilingual kImport = {"Importer", "Import"};
inline constexpr Bilingual kPreview = {"Aperçu", "Preview"};
inline constexpr Bilingual kColumnMapping = {"Correspondance des colonnes", "Column mapping"};
inline constexpr Bilingual kDateColumn = {"Colonne de la date", "Date column"};
inline constexpr Bilingual kTimeColumn = {"Colonne de l'heure", "Time column"};
inline constexpr Bilingual kLevelColumn = {"Colonne du taux", "Level column"};
inline constexpr Bilingual kUnitColumn = {"Colonne de l'unité", "Unit column"};
inline constexpr Bilingual kNoteColumn = {"Colonne de la note", "Note column"};
inline constexpr Bilingual kNoColumn = {"(aucune)", "(none)"};
inline constexpr Bilingual kDateOrder = {"Ordre de la date", "Date order"};
inline constexpr Bilingual kLevelUnit = {"Unité du taux", "Level unit"};
inline constexpr Bilingual kUnitFromColumn = {"Lue dans la colonne", "From the column"};
inline constexpr Bilingual kHasHeader = {"Première ligne d'en-tête", "Has header"};
inline constexpr Bilingual kSave = {"Enregistrer", "Save"};
inline constexpr Bilingual kCancel = {"Annuler", "Cancel"};
inline constexpr Bilingual kOk = {"OK", "OK"};
inline constexpr Bilingual kDoctorReport = {"Rapport pour le médecin", "Doctor's report"};
inline constexpr Bilingual kFromTo = {"Du ... au ...", "From - To"};
inline constexpr Bilingual kOrderYmd = {"année-mois-jour", "year-month-day"};
inline constexpr Bilingual kOrderDmy = {"jour/mois/année", "day/month/year"};
inline constexpr Bilingual kOrderMdy = {"mois/jour/année", "month/day/year"};
inline constexpr Bilingual kBadRows = {"Lignes fautives", "Bad rows"};
inline constexpr Bilingual kDetected = {"Ce que le fichier contient", "What the file holds"};
inline constexpr Bilingual kHeaderLine = {"Ligne d'en-tête", "Header line"};
inline constexpr Bilingual kSeparator = {"Séparateur", "Separator"};
inline constexpr Bilingual kEncoding = {"Encodage", "Encoding"};
inline constexpr Bilingual kFromValues = {"(d'après les valeurs)", "(from the values)"};
inline constexpr Bilingual kFromHeader = {"(d'après l'en-tête)", "(from the header)"};
inline constexpr Bilingual kAssumed = {"(supposé)", "(assumed)"};
inline constexpr Bilingual kImportGoodRows = {"Importer les lignes correctes",
                                              "Import the good rows"};
inline constexpr Bilingual kImportNothing = {"Ne rien importer", "Import nothing"};
inline constexpr Bilingual kKeepNewest = {"Seulement les plus récentes qui tiennent",
                                          "Only the newest that fit"};
// "The journal can take 120 more tests; the file brings 300. Import the
// newest, or the days from 2026-03-01."
inline constexpr Bilingual kRoomFor = {"Le journal peut encore recevoir ", "The journal can take "};
inline constexpr Bilingual kRoomBrings = {" analyses ; le fichier en apporte ",
                                          " more tests; the file brings "};
inline constexpr Bilingual kRoomNewest = {". Importez les plus récentes", ". Import the newest"};
inline constexpr Bilingual kRoomFrom = {", ou les jours à partir du ", ", or the days from "};
inline constexpr Bilingual kFirstRows = {"Premières analyses à ajouter", "First tests to add"};

// ==== dextrel-report, the command line ====
inline constexpr Bilingual kCliUsage = {
    "usage : dextrel-report stats JOURNAL [--unit mmol|mg] [--lang en|fr]\n"
    "                            [--date-format MODELE] [--from AAAA-MM-JJ --to AAAA-MM-JJ]\n"
    "        dextrel-report export --csv|--json JOURNAL [-o FICHIER] [--unit ...] [--date-format "
    "...]\n"
    "        dextrel-report pdf JOURNAL -o FICHIER [--unit ...] [--lang ...] [--from ... --to "
    "...]\n"
    "                            [--days N] [--name NOM] [--with-list]\n"
    "--days N : les N derniers jours du journal (pdf : 14 par défaut) ; --with-list ajoute la\n"
    "liste des analyses en annexe.\n"
    "Les dates du journal se lisent selon MODELE (notation Windows ; par défaut celui du\n"
    "système, comme le programme : dd/MM/yyyy en français, yyyy-MM-dd pour la locale C).\n",
    "usage: dextrel-report stats JOURNAL [--unit mmol|mg] [--lang en|fr]\n"
    "                            [--date-format PATTERN] [--from YYYY-MM-DD --to YYYY-MM-DD]\n"
    "       dextrel-report export --csv|--json JOURNAL [-o FILE] [--unit ...] [--date-format ...]\n"
    "       dextrel-report pdf JOURNAL -o FILE [--unit ...] [--lang ...] [--from ... --to ...]\n"
    "                            [--days N] [--name NAME] [--with-list]\n"
    "--days N: the journal's last N days (pdf: 14 by default); --with-list adds the list of\n"
    "tests as an appendix.\n"
    "The journal's dates are read with PATTERN (Windows notation; by default the system's, as\n"
    "the program uses it: MM/dd/yyyy in American English, yyyy-MM-dd for the C locale).\n"};
inline constexpr Bilingual kCliNoCommand = {"aucune commande", "no command"};
inline constexpr Bilingual kCliNeedsValue = {" attend une valeur", " needs a value"};
inline constexpr Bilingual kCliLangValues = {"--lang prend en ou fr", "--lang takes en or fr"};
inline constexpr Bilingual kCliDateValue = {" prend une date AAAA-MM-JJ",
                                            " takes a date YYYY-MM-DD"};
inline constexpr Bilingual kCliUnknownOption = {"option inconnue ", "unknown option "};
inline constexpr Bilingual kCliTwoJournals = {"plus d'un journal donné",
                                              "more than one journal given"};
inline constexpr Bilingual kCliUnknownCommand = {"commande inconnue ", "unknown command "};
inline constexpr Bilingual kCliNoJournal = {"aucun fichier journal donné", "no journal file given"};
inline constexpr Bilingual kCliExportFormat = {"export demande --csv ou --json",
                                               "export needs --csv or --json"};
inline constexpr Bilingual kCliPdfOutput = {"pdf demande -o FICHIER", "pdf needs -o FILE"};
// dextrel-report's files.
inline constexpr Bilingual kCliCannotRead = {"impossible de lire ", "cannot read "};
inline constexpr Bilingual kCliOutputIsInput = {
    " est aussi un fichier lu : il n'est pas remplacé. Choisissez un autre nom.",
    " is also a file being read: it is not replaced. Choose another name."};
inline constexpr Bilingual kCliNoTest = {
    " : aucune analyse n'a pu y être lue (le format des dates est-il le bon ? --date-format)",
    ": no test could be read in it (is the date format right? --date-format)"};
inline constexpr Bilingual kCliFromTo = {"--from et --to vont ensemble",
                                         "--from and --to go together"};
inline constexpr Bilingual kCliReadingStopped = {" : la lecture s'est arrêtée à la ligne ",
                                                 ": reading stopped at line "};
inline constexpr Bilingual kCliImportUsage = {
    "        dextrel-report import JOURNAL FICHIER [--unit mmol|mg] [--date-format MODELE]\n"
    "                            [--dry-run] [--skip-bad] [--newest] [--json] [--lang en|fr]\n"
    "                            [--date-order dmy|mdy|ymd] [--file-unit mmol|mg]\n"
    "                            [--from AAAA-MM-JJ --to AAAA-MM-JJ]\n"
    "import : ajoute au JOURNAL les mesures de glycémie d'un CSV (export d'un lecteur, d'un\n"
    "capteur ou le nôtre) ; --unit donne l'unité dans laquelle le journal est tenu (mmol\n"
    "par défaut), --file-unit celle du fichier quand il ne la dit pas, --date-order l'ordre\n"
    "de ses dates. Des lignes fautives font tout refuser, sauf avec --skip-bad ; --newest\n"
    "garde les plus récentes qui tiennent dans les 5000 ; --dry-run n'écrit rien ; --json\n"
    "imprime {\"added\", \"duplicates\", \"skipped\", \"bad\", \"written\"}. Le journal est\n"
    "réécrit en entier, l'ancien gardé en .bak. Sortie 0 écrit (ou l'écrirait avec\n"
    "--dry-run), 1 refusé, 2 erreur d'usage.\n",
    "       dextrel-report import JOURNAL FILE [--unit mmol|mg] [--date-format PATTERN]\n"
    "                            [--dry-run] [--skip-bad] [--newest] [--json] [--lang en|fr]\n"
    "                            [--date-order dmy|mdy|ymd] [--file-unit mmol|mg]\n"
    "                            [--from YYYY-MM-DD --to YYYY-MM-DD]\n"
    "import: adds to JOURNAL the glucose readings of a CSV (a meter's, a CGM's or our own\n"
    "export); --unit names the unit the journal is kept in (mmol unless told), --file-unit\n"
    "the file's when it names none, --date-order the order of its dates. Bad rows refuse\n"
    "the whole import unless --skip-bad; --newest keeps the newest that fit in 5000;\n"
    "--dry-run writes nothing; --json prints {\"added\", \"duplicates\", \"skipped\",\n"
    "\"bad\", \"written\"}. The journal is rewritten whole, the old one kept as .bak.\n"
    "Exit 0 written (or would be, with --dry-run), 1 refused, 2 usage error.\n"};
inline constexpr Bilingual kCliUnitTakes = {" prend mmol ou mg", " takes mmol or mg"};
inline constexpr Bilingual kCliOrderValues = {"--date-order prend dmy, mdy ou ymd",
                                              "--date-order takes dmy, mdy or ymd"};
inline constexpr Bilingual kCliImportFiles = {"import demande JOURNAL puis FICHIER",
                                              "import needs JOURNAL then FILE"};
inline constexpr Bilingual kCliBadRowsRefuse = {
    "des lignes ne se lisent pas : rien n'est écrit (--skip-bad importe les lignes correctes)",
    "some rows cannot be read: nothing written (--skip-bad imports the good rows)"};
inline constexpr Bilingual kCliOverLimitHow = {" (--newest, ou --from AAAA-MM-JJ --to ...)",
                                               " (--newest, or --from YYYY-MM-DD --to ...)"};
inline constexpr Bilingual kCliNoPdf = {
    "cette version n'a pas la commande pdf (construite sans le bureau)",
    "this build has no pdf command (built without the desktop)"};

}  // namespace dx::report_texts
