#include "report/exchange.h"

#include <algorithm>
#include <cmath>

#include "journal/datetext.h"
#include "platform/text.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx::report {

namespace {

// 1970-01-01 as a day number (days from the zero date, 1899-12-30).
constexpr int64_t kUnixEpochDay = 25569;

std::string isoDate(int64_t day) { return formatShortDate(DateTime::fromDays(day), "yyyy-MM-dd"); }

std::string hhmm(int minute) {
    return formatShortTime(DateTime::fromParts(2000, 1, 1, minute / 60, minute % 60));
}

bool startsAFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// The cell's leading "'"s followed by a character that starts a formula.
bool needsGuard(std::string_view cell) {
    const size_t first = cell.find_first_not_of('\'');
    return first != std::string_view::npos && startsAFormula(cell[first]);
}

// RFC 4180: a field holding a separator, a quote or a line break is quoted
// and its quotes doubled; a guarded field is quoted too.
std::string csvField(std::string_view text) {
    const std::string cell = withFormulaGuard(text);
    if (cell.size() == text.size() && text.find_first_of(",\"\r\n") == std::string_view::npos)
        return cell;
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string withFormulaGuard(std::string_view cell) {
    std::string out;
    out.reserve(cell.size() + 1);
    if (needsGuard(cell)) out += '\'';
    return out.append(cell);
}

std::string_view withoutFormulaGuard(std::string_view cell) {
    if (cell.starts_with('\'') && needsGuard(cell)) cell.remove_prefix(1);
    return cell;
}

double toMgDl(double level, int16_t unite) {
    return std::round(isMgDl(unite) ? level : level * kMgPerMmol);
}

double toMmolL(double level, int16_t unite) {
    return std::round((isMgDl(unite) ? level / kMgPerMmol : level) * 10) / 10;
}

// A test whose date or time is no date or time keeps its text as held, so
// that nothing is lost on the way out.
std::string exportCsv(const std::vector<Test>& tests, int16_t unite) {
    std::string out = std::string(kCsvHeader) + "\r\n";
    for (auto t = tests.rbegin(); t != tests.rend(); ++t) {
        out += csvField(t->day != kNoDay ? isoDate(t->day) : t->date) + ",";
        out += csvField(t->minute >= 0 ? hhmm(t->minute) : t->time) + ",";
        out += formatNumber(toMmolL(t->value, unite), "0.0") + ",";
        out += formatNumber(toMgDl(t->value, unite), "0") + ",";
        out += csvField(t->note) + "\r\n";
    }
    return out;
}

namespace {

std::string offsetText(int offsetSeconds) {
    const char sign = offsetSeconds < 0 ? '-' : '+';
    const int minutes = std::abs(offsetSeconds) / 60;
    return sign + hhmm(minutes);
}

std::string nightscoutEntry(const Test& t, int16_t unite, const UtcOffsetOf& offsetOf) {
    const int minute = std::max(t.minute, 0);
    const int64_t local = (t.day - kUnixEpochDay) * 86400 + int64_t{minute} * 60;
    const int offset = offsetOf ? offsetOf(local) : 0;
    const int64_t utcMs = (local - offset) * 1000;
    return "{\"type\":\"mbg\",\"mbg\":" + formatNumber(toMgDl(t.value, unite), "0") +
           ",\"date\":" + std::to_string(utcMs) + ",\"dateString\":\"" + isoDate(t.day) + "T" +
           hhmm(minute) + ":00" + offsetText(offset) + "\",\"device\":\"dextrel\"}";
}

}  // namespace

// Nightscout's readings need a moment: a test with no date is left out.
std::string exportNightscoutJson(const std::vector<Test>& tests, int16_t unite,
                                 const UtcOffsetOf& offsetOf) {
    std::string out = "[";
    bool first = true;
    for (auto t = tests.rbegin(); t != tests.rend(); ++t) {
        if (t->day == kNoDay) continue;
        out += first ? "\n" : ",\n";
        out += nightscoutEntry(*t, unite, offsetOf);
        first = false;
    }
    return out + "\n]\n";
}

}  // namespace dx::report
