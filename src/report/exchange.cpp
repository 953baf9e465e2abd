#include "report/exchange.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <utility>
#include <variant>

#include "journal/datetext.h"
#include "platform/text.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/entry_rules.h"

namespace dx::report {

namespace T = report_texts;

namespace {

// 1970-01-01 as a day number (days from the zero date, 1899-12-30).
constexpr int64_t kUnixEpochDay = 25569;

std::string isoDate(int64_t day) { return formatShortDate(DateTime::fromDays(day), "yyyy-MM-dd"); }

std::string hhmm(int minute) {
    return formatShortTime(DateTime::fromParts(2000, 1, 1, minute / 60, minute % 60));
}

// RFC 4180: a field holding a separator, a quote or a line break is quoted
// and its quotes doubled.
std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

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

// ---- Reading CSV.

namespace {

char guessSeparator(std::string_view text) {
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        commas += c == ',';
        semicolons += c == ';';
        tabs += c == '\t';
    }
    if (semicolons > commas && semicolons >= tabs) return ';';
    if (tabs > commas && tabs > semicolons) return '\t';
    return ',';
}

class CsvReader {
public:
    CsvReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    // The whole table, or the error that stopped it.
    CsvParse read() {
        CsvTable table;
        while (pos_ < text_.size()) {
            const int startLine = line_;
            std::vector<std::string> row;
            if (!readRow(row)) return {std::nullopt, error_};
            if (row.size() == 1 && row[0].empty()) continue;  // a blank line
            table.rows.push_back(std::move(row));
            table.lines.push_back(startLine);
        }
        return {std::move(table), ""};
    }

private:
    bool atLineEnd() const { return text_[pos_] == '\r' || text_[pos_] == '\n'; }
    void consumeLineEnd() {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // Fields up to the end of a line (consumed) or of the text.
    bool readRow(std::vector<std::string>& row) {
        for (;;) {
            std::string field;
            if (!readField(field)) return false;
            row.push_back(std::move(field));
            if (pos_ >= text_.size()) return true;
            if (atLineEnd()) {
                consumeLineEnd();
                return true;
            }
            ++pos_;  // the separator
        }
    }

    bool readField(std::string& field) {
        if (pos_ < text_.size() && text_[pos_] == '"') return readQuoted(field);
        while (pos_ < text_.size() && text_[pos_] != separator_ && !atLineEnd())
            field += text_[pos_++];
        return true;
    }

    // A quoted field; whatever follows its closing quote up to the next
    // separator is kept, as spreadsheets do.
    bool readQuoted(std::string& field) {
        const int openedOn = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) {
                error_ = "quote opened on line " + std::to_string(openedOn) + " is not closed";
                return false;
            }
            const char c = text_[pos_];
            if (c == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    field += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (c == '\n' || (c == '\r' && !(pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')))
                ++line_;
            field += c;
            ++pos_;
        }
        std::string rest;
        readField(rest);
        field += rest;
        return true;
    }

    std::string_view text_;
    char separator_;
    size_t pos_ = 0;
    int line_ = 1;
    std::string error_;
};

}  // namespace

// UTF-8 (a leading byte-order mark dropped) or, when the bytes are not
// UTF-8, Windows-1252 as spreadsheets on French and English systems write.
CsvParse parseCsv(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return {std::nullopt, "NUL byte in the file"};
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const std::string text = isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
    return CsvReader(text, guessSeparator(text)).read();
}

// ---- Column mapping.

namespace {

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return trimBlanks(out);
}

bool holdsAny(const std::string& text, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const char* w) { return text.find(w) != std::string::npos; });
}

// The column names a header may use, in English and French.
bool mapHeader(const std::vector<std::string>& header, ColumnMapping& m,
               std::optional<ImportUnit>& named) {
    bool any = false;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string h = lowerAscii(header[i]);
        const int c = static_cast<int>(i);
        auto take = [&](int& slot) {
            if (slot < 0) slot = c;
            any = true;
        };
        if (holdsAny(h, {"date", "day", "jour"})) {
            take(m.date);
        } else if (holdsAny(h, {"time", "heure", "hour"})) {
            take(m.time);
        } else if (holdsAny(h, {"unit"})) {
            take(m.unit);
        } else if (holdsAny(h, {"mg"})) {
            if (m.level < 0) named = ImportUnit::MgDl;
            take(m.level);
        } else if (holdsAny(h, {"mmol"})) {
            if (m.level < 0) named = ImportUnit::MmolL;
            take(m.level);
        } else if (holdsAny(h, {"glucose", "level", "taux", "glyc", "bg", "value", "valeur"})) {
            take(m.level);
        } else if (holdsAny(h, {"note", "comment", "remarque"})) {
            take(m.note);
        }
    }
    return any;
}

bool looksLikeDate(std::string_view s) {
    int digits = 0, separators = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '-' || c == '/' || c == '.')
            ++separators;
    }
    return digits >= 6 && separators >= 2;
}

bool looksLikeTime(std::string_view s) { return parseTimeOfDay(trimBlanks(s)).has_value(); }

std::optional<double> levelNumber(std::string_view text) {
    std::string s = trimBlanks(text);
    std::replace(s.begin(), s.end(), ',', '.');  // a decimal comma
    return numericValue(s);
}

// A first row that is data: the columns guessed from what they hold.
void mapByContent(const std::vector<std::string>& row, ColumnMapping& m) {
    for (size_t i = 0; i < row.size(); ++i) {
        const int c = static_cast<int>(i);
        if (m.date < 0 && looksLikeDate(row[i]))
            m.date = c;
        else if (m.time < 0 && looksLikeTime(row[i]))
            m.time = c;
        else if (m.level < 0 && levelNumber(row[i]))
            m.level = c;
        else if (m.note < 0 && m.level >= 0)
            m.note = c;
    }
}

// A year first reads YMD; otherwise a first number above 12 can only be a
// day, a second above 12 only a day too; day first is the default.
DateOrder guessOrder(const CsvTable& t, const ColumnMapping& m) {
    bool secondAbove12 = false;
    for (size_t r = m.hasHeader ? 1 : 0; r < t.rows.size(); ++r) {
        if (m.date < 0 || static_cast<size_t>(m.date) >= t.rows[r].size()) continue;
        const std::string& d = t.rows[r][static_cast<size_t>(m.date)];
        const std::string s = trimBlanks(d);
        const size_t firstEnd = s.find_first_not_of("0123456789");
        if (firstEnd == 4) return DateOrder::YMD;
        if (firstEnd != std::string::npos && firstEnd + 1 < s.size()) {
            const int first = leadingInteger(s);
            const int second = leadingInteger(std::string_view(s).substr(firstEnd + 1));
            if (first > 12) return DateOrder::DMY;
            if (second > 12) secondAbove12 = true;
        }
    }
    return secondAbove12 ? DateOrder::MDY : DateOrder::DMY;
}

// Levels above what a meter shows in mmol/L (33.3 at most) are mg/dl. The
// entry's own limit (25) is no guide: a 26 mmol/L read as mg/dl would come
// in quietly as 1.4 mmol/L instead of being refused.
constexpr double kHighestMmolReading = 35;

ImportUnit guessUnit(const CsvTable& t, const ColumnMapping& m) {
    for (size_t r = m.hasHeader ? 1 : 0; r < t.rows.size(); ++r) {
        if (m.level < 0 || static_cast<size_t>(m.level) >= t.rows[r].size()) continue;
        const auto v = levelNumber(t.rows[r][static_cast<size_t>(m.level)]);
        if (v && *v > kHighestMmolReading) return ImportUnit::MgDl;
    }
    return ImportUnit::MmolL;
}

}  // namespace

bool isOwnExport(const CsvTable& table) {
    if (table.rows.empty()) return false;
    std::string header;
    for (const std::string& f : table.rows[0]) header += (header.empty() ? "" : ",") + f;
    return header == kCsvHeader;
}

// Our own export is read from its whole mg/dl column: mmol/L with one
// decimal goes to whole mg/dl and back unchanged, so either unit comes back
// as it went out.
ColumnMapping guessMapping(const CsvTable& table) {
    ColumnMapping m;
    if (isOwnExport(table)) {
        m.date = 0;
        m.time = 1;
        m.level = 3;
        m.note = 4;
        m.levelUnit = ImportUnit::MgDl;
        return m;
    }
    if (table.rows.empty()) return m;
    std::optional<ImportUnit> named;
    m.hasHeader = mapHeader(table.rows[0], m, named);
    if (!m.hasHeader) mapByContent(table.rows[0], m);
    if (m.unit >= 0)
        m.levelUnit = ImportUnit::FromColumn;
    else
        m.levelUnit = named ? *named : guessUnit(table, m);
    m.order = guessOrder(table, m);
    return m;
}

// ---- Planning an import.

namespace {

std::optional<int64_t> readDay(std::string_view text, DateOrder order) {
    int numbers[3] = {0, 0, 0};
    int count = 0, digits = 0;
    int lengths[3] = {0, 0, 0};
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (count >= 3) return std::nullopt;
            if (++digits > 4) return std::nullopt;
            numbers[count] = numbers[count] * 10 + (c - '0');
            lengths[count] = digits;
            continue;
        }
        if (c != '-' && c != '/' && c != '.') return std::nullopt;
        if (digits == 0) return std::nullopt;
        ++count;
        digits = 0;
    }
    if (digits == 0 || count != 2) return std::nullopt;
    const int at[3][3] = {{0, 1, 2}, {2, 1, 0}, {2, 0, 1}};  // year, month, day places
    const int* p = at[static_cast<int>(order)];
    int year = numbers[p[0]];
    const int month = numbers[p[1]], day = numbers[p[2]];
    if (lengths[p[0]] <= 2)
        year += 2000;
    else if (lengths[p[0]] != 4)
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;
    return daysFromCivil(year, month, day);
}

// "2026-11-01 08:30", "2026-11-01T08:30:00Z" and the like.
std::pair<std::string, std::string> splitDateTime(std::string_view text) {
    const std::string s = trimBlanks(text);
    const size_t cut = s.find_first_of(" T");
    if (cut == std::string::npos) return {s, ""};
    std::string time = trimBlanks(std::string_view(s).substr(cut + 1));
    if (!time.empty() && (time.back() == 'Z' || time.back() == 'z')) time.pop_back();
    return {s.substr(0, cut), time};
}

struct RowReader {
    const ColumnMapping& m;
    std::string_view datePattern;
    int16_t unite, langue;
    int64_t today;

    const char* txt(const Bilingual& b) const { return pick(b, langue); }

    // The test a row holds, or the reason it holds none.
    std::variant<Test, std::string> read(const std::vector<std::string>& row) const {
        const int needed = std::max({m.date, m.time, m.level, m.unit, m.note});
        if (m.date < 0 || m.level < 0 || (m.levelUnit == ImportUnit::FromColumn && m.unit < 0) ||
            needed >= static_cast<int>(row.size()))
            return std::string(txt(T::kMissingColumn));
        auto field = [&](int c) { return trimBlanks(row[static_cast<size_t>(c)]); };

        auto [dateText, timeText] = splitDateTime(field(m.date));
        if (m.time >= 0) timeText = field(m.time);
        const auto day = readDay(dateText, m.order);
        if (!day) return std::string(txt(T::kBadDate));
        if (*day > today) return std::string(txt(T::kDateAfterToday));
        const auto seconds = parseTimeOfDay(timeText);
        if (!seconds || *seconds >= 86400) return std::string(txt(T::kBadTime));

        const auto level = levelNumber(field(m.level));
        if (!level) return std::string(txt(T::kBadLevel));
        const auto sourceMg = sourceIsMgDl(m.unit >= 0 ? field(m.unit) : "");
        if (!sourceMg) return std::string(txt(T::kBadUnit));
        const double value = *sourceMg == isMgDl(unite)
                                 ? *level
                                 : (*sourceMg ? toMmolL(*level, 1) : toMgDl(*level, 0));
        const std::string levelText = formatNumber(value, storageFormat(unite));
        if (levelRefused(levelText, unite))
            return txt(T::kLevelRefused) + std::to_string(highestLevel(unite)) + ")";

        std::string note = m.note >= 0 ? std::string(row[static_cast<size_t>(m.note)]) : "";
        const StorableCheck check = checkStorable(note);
        if (check.problem != Unstorable::None)
            return txt(T::kUnstorableNote) +
                   (check.problem == Unstorable::LineBreak ? std::string("\\n") : check.character);

        Test t;
        t.day = *day;
        t.minute = *seconds / 60;
        t.date = formatShortDate(DateTime::fromDays(*day), datePattern);
        t.time = hhmm(t.minute);
        t.level = levelText;
        t.value = leadingNumber(levelText);
        t.note = std::move(note);
        return t;
    }

    std::optional<bool> sourceIsMgDl(const std::string& unitText) const {
        switch (m.levelUnit) {
            case ImportUnit::MmolL:
                return false;
            case ImportUnit::MgDl:
                return true;
            case ImportUnit::FromColumn:
                break;
        }
        const std::string u = lowerAscii(unitText);
        if (u.find("mg") != std::string::npos) return true;
        if (u.find("mmol") != std::string::npos) return false;
        return std::nullopt;
    }
};

bool allBlank(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& f) { return trimBlanks(f).empty(); });
}

}  // namespace

ImportPlan planImport(const CsvTable& table, const ColumnMapping& mapping,
                      const std::vector<Test>& journal, std::string_view datePattern, int16_t unite,
                      int16_t langue, int64_t today) {
    ImportPlan plan;
    plan.journalCount = static_cast<int>(journal.size());
    std::set<std::pair<int64_t, int>> held;
    for (const Test& t : journal) held.insert({t.day, t.minute});

    const RowReader reader{mapping, datePattern, unite, langue, today};
    for (size_t r = mapping.hasHeader ? 1 : 0; r < table.rows.size(); ++r) {
        if (allBlank(table.rows[r])) continue;
        const int line = r < table.lines.size() ? table.lines[r] : static_cast<int>(r) + 1;
        auto read = reader.read(table.rows[r]);
        if (auto* reason = std::get_if<std::string>(&read)) {
            plan.bad.push_back({line, std::move(*reason)});
            continue;
        }
        Test& t = std::get<Test>(read);
        if (!held.insert({t.day, t.minute}).second) {
            ++plan.duplicates;
            continue;
        }
        plan.toAdd.push_back(std::move(t));
    }
    std::stable_sort(plan.toAdd.begin(), plan.toAdd.end(), [](const Test& a, const Test& b) {
        return std::pair(a.day, a.minute) > std::pair(b.day, b.minute);
    });
    plan.overLimit = plan.journalCount + static_cast<int>(plan.toAdd.size()) > kMaxTests;
    return plan;
}

}  // namespace dx::report
