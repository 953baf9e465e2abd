#pragma once

// What the unit flag means everywhere: names, level formats, the highest
// level accepted, the target bands, the level-axis labels and the chart
// divisor. The flag only relabels: no level is ever converted.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace dx {

// Every test of the flag asks only whether it is zero: 0 mmol/L, any other
// value (even a 7 read from the settings file) mg/dl.
inline bool isMgDl(int16_t unite) { return unite != 0; }

// "mmol/L" or "mg/dl".
const char* unitName(int16_t unite);
// How a level is stored in the journal file: "00.0" or "000".
const char* storageFormat(int16_t unite);
// How the level display re-formats a level: "00.0" or "##0".
const char* displayFormat(int16_t unite);
// The highest level accepted by the entry: 25 or 450.
int highestLevel(int16_t unite);
// The level as the entry's OK writes it back (and the logbook and an import
// with it): its leading number with the unit's display pattern ("##0" or
// "00.0").
std::string entryLevelText(std::string_view level, int16_t unite);
// Whether a level is refused, by the entry's OK, the logbook and an import:
// its leading number is 0 or less, or above the unit's highest level.
bool levelRefused(std::string_view level, int16_t unite);
// The chart divisor Facteur_Unite: 1 or 18.
int32_t unitFactor(int16_t unite);
// Caption of the level-axis label index 1..5 ("5".."25" or "90".."450").
const char* levelAxisLabel(int16_t unite, int index);

// A level text rewritten in the storage format of the unit, from its leading
// number: "5" gives 05.0 or 005, "5.56" gives 05.6, a text with no number
// 00.0 or 000.
std::string storedLevel(std::string_view levelText, int16_t unite);
// The text already stands in that format. Most levels do: a save of a whole
// journal then formats only those that do not.
bool isStoredLevel(std::string_view levelText, int16_t unite);

// The three target bands. A level below the optimal band is in none.
enum class Band { None, Optimal, Suboptimal, Compromise };

// The band of a level's number in the unit; the lower bound of a band
// belongs to it (7 mmol/L and 126 mg/dl are suboptimal).
Band levelBand(double level, int16_t unite);
// The lower bounds of the bands in one unit, for a loop over many levels.
struct BandLimits {
    double optimalFrom, suboptimalFrom, compromiseFrom;
    friend bool operator==(const BandLimits&, const BandLimits&) = default;
    Band of(double level) const {
        if (level >= compromiseFrom) return Band::Compromise;
        if (level >= suboptimalFrom) return Band::Suboptimal;
        if (level >= optimalFrom) return Band::Optimal;
        return Band::None;
    }
};
BandLimits bandLimits(int16_t unite);
// The band of a level held as text: its leading number (0 when none).

// The captions of the result menu items Menu_Res1..3, from the band labels
// as shown (Aff_Optimal, Aff_Suboptimal, Aff_Compromis) and the language.
struct ResultMenuCaptions {
    std::string optimal, suboptimal, compromise;
};
ResultMenuCaptions resultMenuCaptions(int16_t unite, int16_t langue,
                                      const std::string& optimalLabel,
                                      const std::string& suboptimalLabel,
                                      const std::string& compromiseLabel);

// Tooltips that name the unit's limits.
const Bilingual& resultLabelTooltip(int16_t unite);  // over Aff_Resultat
const Bilingual& levelFieldTooltip(int16_t unite);   // over Dialog_Taux

}  // namespace dx
