#include "settings/units.h"

#include "settings/numbers.h"

namespace dx {

namespace {

// One column of the unit table. Every mg/dl value is 18 times its mmol/L
// twin; the factor itself is used only as the chart divisor.
struct UnitTable {
    const char* name;
    const char* storage;
    const char* display;
    int highest;
    int32_t factor;
    const char* axis[5];
    double optimalFrom, suboptimalFrom, compromiseFrom;
    // Menu_Res1..3 pieces, blanks included exactly as shown in the menu.
    const char* res1From;
    const char* res1To;
    const char* res2From;
    const char* res2To;
    const char* res3From;
    Bilingual resultTooltip;
    Bilingual fieldTooltip;
};

const UnitTable kMmol = {
    "mmol/L",
    "00.0",
    "00.0",
    25,
    1,
    {"5", "10", "15", "20", "25"},
    4,
    7,
    10,
    " >= 4 ",
    " <7",
    " >= 7 ",
    " <10",
    " >= 10",
    {"Normal, si entre 4 et 7", "Normal, if between 4 and 7"},
    {"Votre taux de glucose (max. 25)", "Your glucose level (max. 25)"},
};

const UnitTable kMgDl = {
    "mg/dl",
    "000",
    "##0",
    450,
    18,
    {"90", "180", "270", "360", "450"},
    72,
    126,
    180,
    " >= 72 ",
    " <126",
    " >= 126 ",
    " <180",
    " >= 180",
    {"Normal, si entre 72 et 126", "Normal, if between 72 and 126"},
    {"Votre taux de glucose (max. 450)", "Your glucose level (max. 450)"},
};

// The conjunction between the two bounds of a band.
const Bilingual kAnd = {"et", "and"};

const UnitTable& table(int16_t unite) { return isMgDl(unite) ? kMgDl : kMmol; }

}  // namespace

const char* unitName(int16_t unite) { return table(unite).name; }
const char* storageFormat(int16_t unite) { return table(unite).storage; }
const char* displayFormat(int16_t unite) { return table(unite).display; }
int highestLevel(int16_t unite) { return table(unite).highest; }

int32_t unitFactor(int16_t unite) { return table(unite).factor; }

const char* levelAxisLabel(int16_t unite, int index) {
    if (index < 1 || index > 5) return "";
    return table(unite).axis[index - 1];
}

namespace {

// Digits only, at least minInt of them before the point (no leading zero
// beyond those), and exactly `decimals` after it: formatting such a text's
// number gives the text back.
bool inStorageForm(std::string_view text, size_t minInt, size_t decimals) {
    const size_t point = decimals == 0 ? text.size() : text.size() - decimals - 1;
    if (point > text.size() || point < minInt) return false;
    if (decimals > 0 && text[point] != '.') return false;
    if (point > minInt && text[0] == '0') return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != point && (text[i] < '0' || text[i] > '9')) return false;
    return true;
}

}  // namespace

bool isStoredLevel(std::string_view levelText, int16_t unite) {
    return unite == 0 ? inStorageForm(levelText, 2, 1) : inStorageForm(levelText, 3, 0);
}

std::string storedLevel(std::string_view levelText, int16_t unite) {
    if (isStoredLevel(levelText, unite)) return std::string(levelText);
    return formatNumber(leadingNumber(levelText), storageFormat(unite));
}

BandLimits bandLimits(int16_t unite) {
    const UnitTable& t = table(unite);
    return {t.optimalFrom, t.suboptimalFrom, t.compromiseFrom};
}

Band levelBand(double level, int16_t unite) { return bandLimits(unite).of(level); }

ResultMenuCaptions resultMenuCaptions(int16_t unite, int16_t langue,
                                      const std::string& optimalLabel,
                                      const std::string& suboptimalLabel,
                                      const std::string& compromiseLabel) {
    const UnitTable& t = table(unite);
    const std::string conj = pick(kAnd, langue);
    return {optimalLabel + t.res1From + conj + t.res1To,
            suboptimalLabel + t.res2From + conj + t.res2To, compromiseLabel + t.res3From};
}

const Bilingual& resultLabelTooltip(int16_t unite) { return table(unite).resultTooltip; }
const Bilingual& levelFieldTooltip(int16_t unite) { return table(unite).fieldTooltip; }

std::string entryLevelText(std::string_view level, int16_t unite) {
    return formatNumber(leadingNumber(level), displayFormat(unite));
}

bool levelRefused(std::string_view level, int16_t unite) {
    const double value = leadingNumber(level);
    return value <= 0 || value > highestLevel(unite);
}

}  // namespace dx
