#pragma once

// The texts of the one-page glucose profile and of its choices, in both
// languages.

#include "platform/text.h"

namespace dx::profile_texts {

inline constexpr Bilingual kTitle = {"Profil glycémique", "Glucose profile"};
inline constexpr Bilingual kName = {"Nom : ", "Name: "};
inline constexpr Bilingual kCreated = {"Créé le ", "Created "};
inline constexpr Bilingual kDaysSuffix = {" jours", " days"};
inline constexpr Bilingual kOneDay = {" jour", " day"};

// The figures of the page.
inline constexpr Bilingual kReadingsPerDay = {"Analyses par jour", "Readings per day"};
inline constexpr Bilingual kDaysWithData = {"Jours avec données", "Days with data"};
inline constexpr Bilingual kOf = {" sur ", " of "};
inline constexpr Bilingual kCvGoal = {"objectif ≤ 36 %", "goal ≤ 36 %"};
inline constexpr Bilingual kGoal = {"objectif ", "goal "};
inline constexpr Bilingual kAbove = {" au-dessus de ", " above "};
inline constexpr Bilingual kBelow = {" sous ", " below "};

// The blocks of the page.
inline constexpr Bilingual kRanges = {"Temps dans les plages", "Time in ranges"};
inline constexpr Bilingual kModalDay = {"Journée type (toutes les analyses sur 24 heures)",
                                        "Modal day (all readings over 24 hours)"};
inline constexpr Bilingual kLegendMedian = {"médiane", "median"};
inline constexpr Bilingual kLegend25to75 = {"25-75 %", "25-75 %"};
inline constexpr Bilingual kLegend5to95 = {"5-95 %", "5-95 %"};
inline constexpr Bilingual kLegendTarget = {"cible", "target"};
inline constexpr Bilingual kTooFew = {"Trop peu d'analyses pour les centiles : ",
                                      "Too few readings for the percentiles: "};
inline constexpr Bilingual kTooFewShort = {"trop peu", "too few"};
inline constexpr Bilingual kDaily = {"Profils quotidiens", "Daily profiles"};
inline constexpr Bilingual kAppendix = {"Annexe : liste des analyses", "Appendix: list of tests"};

// The choices of the report's dialog.
inline constexpr Bilingual kLastDays = {"%1 derniers jours", "Last %1 days"};
inline constexpr Bilingual kNameCaption = {"Nom (facultatif)", "Name (optional)"};
inline constexpr Bilingual kWithList = {"Ajouter la liste des analyses en annexe",
                                        "Add the list of tests as an appendix"};
inline constexpr Bilingual kCliDaysValue = {"--days prend un nombre de jours (1 ou plus)",
                                            "--days takes a number of days (1 or more)"};
inline constexpr Bilingual kCliDaysOrFromTo = {"--days ne va pas avec --from et --to",
                                               "--days does not go with --from and --to"};
inline constexpr Bilingual kPdfSaved = {"Rapport enregistré dans ", "Report saved to "};

}  // namespace dx::profile_texts
