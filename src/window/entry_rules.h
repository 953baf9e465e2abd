#pragma once

// The entry panel's rules as plain computations on the fields' texts. The
// window applies each correction to its field, which raises the field's
// change event again, so the rules must accept their own results.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// entryLevelText and levelRefused, the rules OK shares with the logbook and
// the import.
#include "settings/units.h"

namespace dx {

// The character codes a key filter lets through untouched: "-", ".", "/" and
// digits in the date field; digits and ":" in the time field. Any other key
// (Backspace included) first resets the field.
bool keyResetsDate(int keyAscii);
bool keyResetsTime(int keyAscii);

// The time field's live rules, in the order they run. Each gives the
// corrected text, or nothing when the text passes.
// A first character of 3 to 9 or a letter, or a long time whose first digit
// is above 2: "00:00".
std::optional<std::string> timeResetRule(std::string_view h);
// A digit typed in front of a complete time pushes the first one out.
std::optional<std::string> timePushRule(std::string_view h);
// Anything beyond five characters is cut off.
std::optional<std::string> timeCutRule(std::string_view h);
// Two characters without a colon get the colon typed for the user.
std::optional<std::string> timeColonRule(std::string_view h);
// Hours above 24 (24 itself passes) or below 0 become "00", the last two
// characters kept.
std::optional<std::string> timeHoursRule(std::string_view h);
// Minutes above 59 or below 0 become "00".
std::optional<std::string> timeMinutesRule(std::string_view h);

// Whether OK may be pressed: a date, a time other than "00:00" and a level
// whose number is neither 0 nor above the unit's highest level.
bool entryAcceptable(std::string_view date, std::string_view time, std::string_view level,
                     int16_t unite);

// The level field's live rules in mg/dl and mmol/L. A level taken with more
// than three characters in mg/dl keeps its first three; a level above the
// highest becomes "450" or "25.0".
std::optional<std::string> levelCutRule(int16_t unite, std::string_view taken,
                                        std::string_view level);
std::optional<std::string> levelCapRule(int16_t unite, std::string_view level);

// The level the thermometer takes from the field: the decimal text of its
// leading number ("0" when it has none).
std::string takenLevel(std::string_view fieldText);
// The taken level kept within 0 and the unit's highest level.
std::string shownLevel(const std::string& taken, int16_t unite);

// The refusal's four lines: the field's caption and " =", an empty line,
// the minimum and the maximum.
std::string levelRefusalText(const std::string& caption, int16_t unite);

// The hour (the first two characters) of a time is earlier than that of
// the newest test; minutes are not compared.
bool hourBefore(std::string_view time, std::string_view newestTime);

}  // namespace dx
