#include "window/entry_rules.h"

#include "platform/text.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx {

namespace {

constexpr const char* kNoTime = "00:00";

double hoursOf(std::string_view time) { return leadingNumber(utf8Left(time, 2)); }

}  // namespace

bool keyResetsDate(int keyAscii) { return keyAscii < '-' || keyAscii > '9'; }
bool keyResetsTime(int keyAscii) { return keyAscii < '0' || keyAscii > ':'; }

std::optional<std::string> timeResetRule(std::string_view h) {
    const bool badStart = utf8First(h) >= U'3';
    const bool longAndLate = utf8Length(h) >= 6 && leadingNumber(utf8Left(h, 1)) > 2;
    if (badStart || longAndLate) return kNoTime;
    return std::nullopt;
}

std::optional<std::string> timePushRule(std::string_view h) {
    if (utf8Length(h) > 5 && utf8Mid(h, 3, 1) == ":") return utf8Right(h, 5);
    return std::nullopt;
}

std::optional<std::string> timeCutRule(std::string_view h) {
    if (utf8Length(h) >= 6) return utf8Left(h, 5);
    return std::nullopt;
}

std::optional<std::string> timeColonRule(std::string_view h) {
    if (utf8Length(h) == 2 && utf8Mid(h, 1, 1) != ":") return std::string(h) + ":";
    return std::nullopt;
}

std::optional<std::string> timeHoursRule(std::string_view h) {
    const double hours = hoursOf(h);
    if (hours > 24 || hours < 0) return "00:" + utf8Right(h, 2);
    return std::nullopt;
}

std::optional<std::string> timeMinutesRule(std::string_view h) {
    const double minutes = leadingNumber(utf8Right(h, 2));
    if (minutes > 59 || minutes < 0) return utf8Left(h, 2) + ":00";
    return std::nullopt;
}

bool entryAcceptable(std::string_view date, std::string_view time, std::string_view level,
                     int16_t unite) {
    const double value = leadingNumber(level);
    return !date.empty() && !time.empty() && time != kNoTime && value != 0 &&
           value <= highestLevel(unite);
}

std::optional<std::string> levelCutRule(int16_t unite, std::string_view taken,
                                        std::string_view level) {
    if (isMgDl(unite) && utf8Length(taken) > 3) return utf8Left(level, 3);
    return std::nullopt;
}

std::optional<std::string> levelCapRule(int16_t unite, std::string_view level) {
    const int highest = highestLevel(unite);
    if (leadingNumber(level) <= highest) return std::nullopt;
    return formatNumber(highest, isMgDl(unite) ? "0" : "00.0");
}

std::string takenLevel(std::string_view fieldText) { return numberText(leadingNumber(fieldText)); }

std::string shownLevel(const std::string& taken, int16_t unite) {
    const double value = leadingNumber(taken);
    if (value < 0) return "0";
    const int highest = highestLevel(unite);
    if (value > highest) return std::to_string(highest);
    return taken;
}

std::string levelRefusalText(const std::string& caption, int16_t unite) {
    return caption + " =\n\nminimum  >0\nmaximum  <" + std::to_string(highestLevel(unite));
}

bool hourBefore(std::string_view time, std::string_view newestTime) {
    return hoursOf(time) < hoursOf(newestTime);
}

}  // namespace dx
