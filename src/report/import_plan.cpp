#include "report/import_plan.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <variant>

#include "journal/datetext.h"
#include "journal/journal_codec.h"
#include "report/exchange.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx::report {

namespace T = report_texts;

// ---- Kinds of rows left out.

namespace {

struct KindText {
    const char* key;
    Bilingual name;
};
constexpr std::array<KindText, kSkipKinds> kKinds = {{
    {"insulin", {"insuline", "insulin"}},
    {"carbs", {"glucides", "carbs"}},
    {"alert", {"alertes", "alerts"}},
    {"calibration", {"calibrations", "calibrations"}},
    {"device", {"appareil", "device"}},
    {"patient", {"patient", "patient"}},
    {"note", {"notes", "notes"}},
    {"no_glucose", {"sans glycémie", "no glucose"}},
    {"other", {"autres", "other"}},
    {"out_of_range", {"hors période", "out of range"}},
}};

}  // namespace

const char* skipKindKey(SkipKind kind) { return kKinds[static_cast<size_t>(kind)].key; }
const Bilingual& skipKindName(SkipKind kind) { return kKinds[static_cast<size_t>(kind)].name; }

int ImportPlan::skippedTotal() const {
    int total = 0;
    for (int n : skipped) total += n;
    return total;
}

// ---- Reading dates, times and levels.

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "2026-11-01 08:30", "2026-11-01T08:30:00Z", "3/7/2026 8:15 PM": the
// date, and the time after the first blank or "T".
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::pair<std::string_view, std::string_view> splitDateTime(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    size_t cut = 0;
    while (cut < s.size() && !isBlank(s[cut]) && s[cut] != 'T') ++cut;
    if (cut == s.size()) return {s, {}};
    std::string_view time = s.substr(cut + 1);
    while (!time.empty() && isBlank(time.front())) time.remove_prefix(1);
    return {s.substr(0, cut), time};
}

bool equalsNoCase(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (c != upper[i]) return false;
    }
    return true;
}

// "AM", "PM", "a.m.", "p.m." at the end of a time: 0 none, 1 AM, 2 PM.
int meridiem(std::string_view& rest) {
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    if (rest.empty() || (rest.back() != 'M' && rest.back() != 'm' && rest.back() != '.')) return 0;
    for (const auto& [word, which] : {std::pair{"AM", 1}, {"PM", 2}, {"A.M.", 1}, {"P.M.", 2}}) {
        const std::string_view w(word);
        if (rest.size() >= w.size() && equalsNoCase(rest.substr(rest.size() - w.size()), w)) {
            rest.remove_suffix(w.size());
            return which;
        }
    }
    return 0;
}

// Digits at the start of s, at most `most` of them.
std::optional<int> number(std::string_view& s, size_t least, size_t most) {
    size_t n = 0;
    int value = 0;
    while (n < s.size() && n < most && isDigit(s[n])) value = value * 10 + (s[n++] - '0');
    if (n < least) return std::nullopt;
    s.remove_prefix(n);
    return value;
}

// What may follow the clock time: fractions of a second, then a zone.
bool zoneOrNothing(std::string_view s) {
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        if (!number(s, 1, 9)) return false;
    }
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    if (s.empty() || equalsNoCase(s, "Z") || equalsNoCase(s, "UTC")) return true;
    if (s.front() != '+' && s.front() != '-') return false;
    s.remove_prefix(1);
    if (!number(s, 2, 2)) return false;
    if (!s.empty() && s.front() == ':') s.remove_prefix(1);
    return (s.empty() || number(s, 2, 2)) && s.empty();
}

}  // namespace

std::optional<int> readImportMinute(std::string_view text) {
    // "hh:mm", as most files write a time, at once.
    if (text.size() == 5 && text[2] == ':' && isDigit(text[0]) && isDigit(text[1]) &&
        isDigit(text[3]) && isDigit(text[4])) {
        const int hour = (text[0] - '0') * 10 + (text[1] - '0');
        const int minute = (text[3] - '0') * 10 + (text[4] - '0');
        if (hour > 23 || minute > 59) return std::nullopt;
        return hour * 60 + minute;
    }
    std::string_view s = text;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    const int half = meridiem(s);
    const auto hours = number(s, 1, 2);
    if (!hours || s.empty() || (s.front() != ':' && s.front() != 'h' && s.front() != 'H'))
        return std::nullopt;
    s.remove_prefix(1);
    const auto minutes = number(s, 2, 2);
    if (!minutes || *minutes > 59) return std::nullopt;
    if (!s.empty() && s.front() == ':') {
        s.remove_prefix(1);
        const auto seconds = number(s, 2, 2);
        if (!seconds || *seconds > 59) return std::nullopt;
    }
    if (!zoneOrNothing(s)) return std::nullopt;
    int hour = *hours;
    if (half != 0) {
        if (hour < 1 || hour > 12) return std::nullopt;
        hour = hour % 12 + (half == 2 ? 12 : 0);
    }
    if (hour > 23) return std::nullopt;
    return hour * 60 + *minutes;
}

std::optional<int64_t> readImportDay(std::string_view text, DateOrder order) {
    const std::string_view date = splitDateTime(text).first;
    int numbers[3] = {0, 0, 0};
    size_t lengths[3] = {0, 0, 0};
    size_t count = 0;
    for (char c : date) {
        if (isDigit(c)) {
            if (count >= 3 || ++lengths[count] > 4) return std::nullopt;
            numbers[count] = numbers[count] * 10 + (c - '0');
            continue;
        }
        if ((c != '-' && c != '/' && c != '.') || count >= 2 || lengths[count] == 0)
            return std::nullopt;
        ++count;
    }
    if (count != 2 || lengths[2] == 0) return std::nullopt;
    constexpr int kPlaces[3][3] = {{0, 1, 2}, {2, 1, 0}, {2, 0, 1}};  // year, month, day
    const int* p = kPlaces[static_cast<int>(order)];
    int year = numbers[p[0]];
    const int month = numbers[p[1]], day = numbers[p[2]];
    if (lengths[p[0]] <= 2)
        year += 2000;
    else if (lengths[p[0]] != 4)
        return std::nullopt;
    if (lengths[p[1]] > 2 || lengths[p[2]] > 2) return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;
    return daysFromCivil(year, month, day);
}

std::optional<double> readImportLevel(std::string_view text) {
    std::string s = trimBlanks(text);
    std::replace(s.begin(), s.end(), ',', '.');  // a decimal comma
    return numericValue(s);
}

// ---- Column names.

namespace {

enum class Role { None, Ignore, Date, Time, Level, Unit, Note, RecordType, Kind };
struct HeaderCell {
    Role role = Role::None;
    SkipKind kind = SkipKind::Other;
    std::optional<bool> mgDl;  // a level column naming its unit
};

HeaderCell as(Role role, SkipKind kind = SkipKind::Other, std::optional<bool> mgDl = {}) {
    HeaderCell cell;
    cell.role = role;
    cell.kind = kind;
    cell.mgDl = mgDl;
    return cell;
}

template <class Words>
bool holdsAny(const std::string& upper, const Words& words) {
    return std::any_of(std::begin(words), std::end(words),
                       [&](const char* w) { return upper.find(w) != std::string::npos; });
}
bool holdsAny(const std::string& upper, std::initializer_list<const char*> words) {
    return holdsAny<std::initializer_list<const char*>>(upper, words);
}

// What a column's name says it holds, in English, French or German. Names
// of insulin and carbs, then of figures that are no reading (a rate of
// change, a duration, ketones) go first: "Insulin Value (u)", "Rapid-Acting
// Insulin (units)" and "Glucose Rate of Change (mg/dL/min)" are no level
// and no unit.
HeaderCell classifyHeader(std::string_view name) {
    const std::string h = upperCase(trimBlanks(name));
    if (h.empty()) return {};
    if (holdsAny(h, {"INSULIN", "BOLUS", "BASAL"})) return as(Role::Kind, SkipKind::Insulin);
    if (holdsAny(h, {"CARB", "GLUCIDE", "FOOD", "KOHLENHYDRAT", "ALIMENT", "NAHRUNG"}))
        return as(Role::Kind, SkipKind::Carbs);
    if (holdsAny(h, {"RATE", "TREND", "TENDANCE", "DURATION", "DURÉE", "DAUER", "TRANSMITTER",
                     "SERIAL", "SÉRIE", "SERIEN", "INDEX", "SOURCE", "KETON", "CÉTON", "SUBTYPE",
                     "SOUS-TYPE", "UNTERTYP", "ZONE"}))
        return as(Role::Ignore);
    if (holdsAny(h, {"PATIENT"})) return as(Role::Kind, SkipKind::Patient);
    if (holdsAny(h, {"DEVICE INFO", "INFO APPAREIL", "GERÄTEINFO"}))
        return as(Role::Kind, SkipKind::Device);
    if (holdsAny(h, {"TYPE", "TYP"})) return as(Role::RecordType);
    if (holdsAny(h, {"DATE", "DATUM", "JOUR", "TIMESTAMP", "HORODATAGE", "ZEITSTEMPEL"}))
        return as(Role::Date);
    if (holdsAny(h, {"TIME", "HEURE", "HOUR", "ZEIT"})) return as(Role::Time);
    if (holdsAny(h, {"UNIT", "EINHEIT"})) return as(Role::Unit);
    if (holdsAny(h, {"MMOL"})) return as(Role::Level, SkipKind::Other, false);
    if (holdsAny(h, {"MG/DL", "MG_DL", "MGDL", "MG/ DL", "(MG)"}))
        return as(Role::Level, SkipKind::Other, true);
    if (holdsAny(h, {"GLUCOSE", "GLYC", "GLUKOSE", "BLUTZUCKER", "SUGAR", "BG", "BZ", "LEVEL",
                     "TAUX", "VALUE", "VALEUR", "WERT", "READING", "MESURE"}))
        return as(Role::Level);
    if (holdsAny(h, {"NOTE", "COMMENT", "REMARQUE", "BEMERKUNG", "NOTIZ", "KOMMENTAR"}))
        return as(Role::Note);
    return {};
}

// Fills the mapping from a header row when it names a date and a level, or
// when `partial` and it names anything.
bool mapHeader(const CsvTable& table, size_t row, ColumnMapping& m, bool partial = false) {
    ColumnMapping found;
    std::optional<bool> namedMg;
    for (size_t i = 0; i < table.fieldCount(row); ++i) {
        const HeaderCell cell = classifyHeader(table.field(row, i));
        const int c = static_cast<int>(i);
        auto take = [&](int& slot) {
            if (slot < 0) slot = c;
        };
        switch (cell.role) {
            case Role::Date:
                take(found.date);
                break;
            case Role::Time:
                take(found.time);
                break;
            case Role::Unit:
                take(found.unit);
                break;
            case Role::Note:
                take(found.note);
                break;
            case Role::RecordType:
                take(found.recordType);
                break;
            case Role::Kind:
                found.kindColumns.emplace_back(c, cell.kind);
                break;
            case Role::Level:
                if (found.level < 0) {
                    found.level = c;
                    namedMg = cell.mgDl;
                } else {
                    found.moreLevels.push_back(c);
                }
                break;
            case Role::None:
            case Role::Ignore:
                break;
        }
    }
    const bool named = found.date >= 0 || found.time >= 0 || found.level >= 0 || found.unit >= 0 ||
                       found.note >= 0 || found.recordType >= 0;
    if ((found.date < 0 || found.level < 0) && !(partial && named)) return false;
    found.headerRow = row;
    found.hasHeader = true;
    if (found.unit >= 0) {
        found.levelUnit = ImportUnit::FromColumn;
        found.unitSource = UnitSource::Column;
    } else if (namedMg) {
        found.levelUnit = *namedMg ? ImportUnit::MgDl : ImportUnit::MmolL;
        found.unitSource = UnitSource::Header;
    }
    m = std::move(found);
    return true;
}

// A header may follow a preamble (a title, who exported it and when).
constexpr size_t kPreambleRows = 30;

bool looksLikeDate(std::string_view s) {
    return readImportDay(s, DateOrder::YMD) || readImportDay(s, DateOrder::DMY) ||
           readImportDay(s, DateOrder::MDY);
}

// A first row that is data: the columns guessed from what they hold.
void mapByContent(const CsvTable& table, ColumnMapping& m) {
    m.hasHeader = false;
    if (table.rowCount() == 0) return;
    for (size_t i = 0; i < table.fieldCount(0); ++i) {
        const std::string_view cell = table.field(0, i);
        const int c = static_cast<int>(i);
        if (m.date < 0 && looksLikeDate(cell))
            m.date = c;
        else if (m.time < 0 && readImportMinute(cell))
            m.time = c;
        else if (m.level < 0 && readImportLevel(cell))
            m.level = c;
        else if (m.note < 0 && m.level >= 0)
            m.note = c;
    }
}

// The date text and time text of a data row, as the mapping reads them.
std::pair<std::string_view, std::string_view> dateAndTime(const CsvTable& t, size_t r,
                                                          const ColumnMapping& m) {
    auto [date, time] = splitDateTime(t.field(r, static_cast<size_t>(m.date)));
    if (m.time >= 0) {
        const std::string_view own = t.field(r, static_cast<size_t>(m.time));
        if (own.find_first_not_of(" \t") != std::string_view::npos) time = own;
    }
    return {date, time};
}

// A year first reads year-month-day; otherwise a first number above 12 can
// only be a day, a second above 12 only a day too. With nothing to tell,
// times with AM or PM suggest the US month first, else day first.
void guessOrder(const CsvTable& t, ColumnMapping& m) {
    if (m.date < 0) return;
    bool twelveHour = false;
    for (size_t r = m.firstDataRow(); r < t.rowCount(); ++r) {
        auto [date, time] = dateAndTime(t, r, m);
        twelveHour = twelveHour || meridiem(time) != 0;
        std::string_view s = date;
        const auto first = number(s, 1, 4);
        if (!first || s.empty()) continue;
        const size_t firstLength = date.size() - s.size();
        s.remove_prefix(1);
        const auto second = number(s, 1, 2);
        const bool yearFirst = firstLength == 4, dayFirst = *first > 12;
        const bool monthFirst = second && *second > 12;
        if (yearFirst || dayFirst || monthFirst) {
            m.order = yearFirst ? DateOrder::YMD : dayFirst ? DateOrder::DMY : DateOrder::MDY;
            m.orderFromValues = true;
            return;
        }
    }
    m.order = twelveHour ? DateOrder::MDY : DateOrder::DMY;
    m.orderFromValues = false;
}

// Levels above what a meter shows in mmol/L (33.3 at most) are mg/dl. The
// entry's own limit (25) is no guide: a 26 mmol/L read as mg/dl would come
// in quietly as 1.4 mmol/L instead of being refused.
constexpr double kHighestMmolReading = 35;
// Nearly every mg/dl reading is above it: the first rows tell.
constexpr size_t kRowsForTheUnit = 2000;

void guessUnit(const CsvTable& t, ColumnMapping& m) {
    if (m.unitSource != UnitSource::Assumed || m.level < 0) return;
    std::vector<int> columns = {m.level};
    columns.insert(columns.end(), m.moreLevels.begin(), m.moreLevels.end());
    const size_t last = std::min(t.rowCount(), m.firstDataRow() + kRowsForTheUnit);
    for (size_t r = m.firstDataRow(); r < last; ++r)
        for (int c : columns) {
            const auto v = readImportLevel(t.field(r, static_cast<size_t>(c)));
            if (v && *v > kHighestMmolReading) {
                m.levelUnit = ImportUnit::MgDl;
                m.unitSource = UnitSource::Values;
                return;
            }
        }
    m.levelUnit = ImportUnit::MmolL;
}

}  // namespace

// The first row's fields joined by commas are our header.
bool isOwnExport(const CsvTable& table) {
    if (table.rowCount() == 0) return false;
    std::string_view header = kCsvHeader;
    for (size_t c = 0; c < table.fieldCount(0); ++c) {
        const std::string_view name = table.field(0, c);
        if (!header.starts_with(name)) return false;
        header.remove_prefix(name.size());
        const bool last = c + 1 == table.fieldCount(0);
        if (last != header.empty() || (!last && header.front() != ',')) return false;
        if (!last) header.remove_prefix(1);
    }
    return header.empty();
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
        m.unitSource = UnitSource::Header;
        m.order = DateOrder::YMD;
        m.orderFromValues = true;
        m.ownExport = true;
        return m;
    }
    bool found = false;
    for (size_t r = 0; r < table.rowCount() && r < kPreambleRows && !found; ++r)
        found = mapHeader(table, r, m);
    // A first row that names some columns is still the header: the user
    // maps the others.
    if (!found && table.rowCount() > 0) found = mapHeader(table, 0, m, true);
    if (!found) mapByContent(table, m);
    guessUnit(table, m);
    guessOrder(table, m);
    return m;
}

// ---- Planning an import.

namespace {

// "hh:mm", as the journal writes a time.
std::string hhmm(int minute) {
    const char text[] = {
        static_cast<char>('0' + minute / 600), static_cast<char>('0' + minute / 60 % 10), ':',
        static_cast<char>('0' + minute % 60 / 10), static_cast<char>('0' + minute % 10)};
    return std::string(text, sizeof text);
}

// What a record-type cell says of its row: a kind that is no reading, Other
// for a type of no known kind, nothing for a reading (or a number code,
// which only the row's content explains).
std::optional<SkipKind> kindOfRecordType(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || isBlank(c); }))
        return std::nullopt;
    const std::string t = upperCase(trimBlanks(text));
    static const std::pair<SkipKind, std::vector<const char*>> kinds[] = {
        {SkipKind::Insulin, {"INSULIN", "BOLUS", "BASAL"}},
        {SkipKind::Carbs, {"CARB", "FOOD", "MEAL", "REPAS", "GLUCIDE", "MAHLZEIT", "KOHLENHYDRAT"}},
        {SkipKind::Alert, {"ALERT", "ALARM", "WARN"}},
        {SkipKind::Calibration, {"CALIBR", "KALIBR", "ÉTALONN", "ETALONN"}},
        {SkipKind::Device, {"DEVICE", "APPAREIL", "GERÄT"}},
        {SkipKind::Patient, {"PATIENT", "NAME", "BIRTH", "PRÉNOM", "NAISSANCE", "GEBURT"}},
        {SkipKind::Note, {"NOTE", "NOTIZ", "COMMENT"}},
    };
    for (const auto& [kind, words] : kinds)
        if (holdsAny(t, words)) return kind;
    if (holdsAny(t, {"EGV", "GLUCOSE", "GLYC", "HISTORIC", "SCAN", "CGM", "BG", "READING", "MESURE",
                     "STRIP", "BLUTZUCKER", "MESSWERT"}))
        return std::nullopt;
    return SkipKind::Other;
}

bool blank(std::string_view s) { return std::all_of(s.begin(), s.end(), isBlank); }

// Our export puts a "'" before a cell a spreadsheet would run; the import
// takes it off again.
std::string_view ownCell(std::string_view cell, bool ownExport) {
    return ownExport ? withoutFormulaGuard(cell) : cell;
}

// A level written as digits with at most one decimal after a point or a
// comma ("6.2", "6,2", "112"), as tenths; nothing for any other text.
std::optional<size_t> plainTenths(std::string_view s) {
    size_t tenths = 0, digits = 0, decimals = 0;
    bool point = false;
    for (char c : s) {
        if (isDigit(c) && digits < 5 && decimals == 0) {
            tenths = tenths * 10 + static_cast<size_t>(c - '0');
            ++digits;
            decimals += point;
        } else if ((c == '.' || c == ',') && !point && digits > 0) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (point && decimals == 0)) return std::nullopt;
    return point ? tenths : tenths * 10;
}

// A level cell in the journal's unit, or why it is refused.
struct LevelRead {
    std::string stored, refusal;
    double value = 0;
};

// A reading as a row gives it, before it becomes a test: the plan first
// orders and sorts out the moments, then writes the tests once.
struct RowRead {
    int64_t day = 0;
    int minute = 0;
    const LevelRead* level = nullptr;
    std::string_view note;  // a view of the table
};

// A row read into the reading given (monostate), left out, or bad.
using RowResult = std::variant<std::monostate, SkipKind, std::string>;

class RowReader {
public:
    RowReader(const CsvTable& table, const ColumnMapping& m, std::string_view datePattern,
              int16_t unite, int16_t langue, int64_t today, const ImportChoices& choices)
        : t_(table),
          m_(m),
          datePattern_(datePattern),
          unite_(unite),
          langue_(langue),
          today_(today),
          choices_(choices) {
        if (m.hasHeader && m.headerRow < table.rowCount())
            fields_ = table.fieldCount(m.headerRow);
        else if (table.rowCount() > 0)
            fields_ = table.fieldCount(0);
        levels_ = {m.level};
        levels_.insert(levels_.end(), m.moreLevels.begin(), m.moreLevels.end());
    }

    RowResult read(size_t r, RowRead& t) {
        if (t_.fieldCount(r) != fields_) return fieldCountReason(r);
        if (m_.date < 0 || m_.level < 0 || (m_.levelUnit == ImportUnit::FromColumn && m_.unit < 0))
            return txt(T::kMissingColumn);
        const std::optional<SkipKind> type =
            m_.recordType >= 0 ? kindOfRecordType(field(r, m_.recordType)) : std::nullopt;
        if (type && *type != SkipKind::Other) return *type;
        const std::string_view levelText = firstLevel(r);
        if (blank(levelText)) return withoutGlucose(r, type);

        auto [dateText, timeText] = dateAndTime(t_, r, m_);
        const auto day = dayOf(ownCell(dateText, m_.ownExport));
        if (!day) return txt(T::kBadDate);
        if (*day > today_) return txt(T::kDateAfterToday);
        const auto minute = readImportMinute(ownCell(timeText, m_.ownExport));
        if (!minute) return txt(T::kBadTime);
        if (choices_.days && !choices_.days->contains(*day)) return SkipKind::OutOfRange;
        return readLevelAndNote(r, levelText, *day, *minute, t);
    }

private:
    std::string txt(const Bilingual& b) const { return pick(b, langue_); }
    std::string_view field(size_t r, int c) const { return t_.field(r, static_cast<size_t>(c)); }

    std::string fieldCountReason(size_t r) const {
        return txt(T::kFieldCountRow) + std::to_string(t_.fieldCount(r)) +
               txt(T::kFieldCountHeader) + std::to_string(fields_) + txt(T::kFieldCountWhy);
    }

    std::string_view firstLevel(size_t r) const {
        for (int c : levels_)
            if (!blank(field(r, c))) return field(r, c);
        return {};
    }

    // A row without glucose: its record type, else what its other cells hold.
    SkipKind withoutGlucose(size_t r, std::optional<SkipKind> type) const {
        for (const auto& [column, kind] : m_.kindColumns)
            if (!blank(field(r, column))) return kind;
        if (type) return *type;
        if (m_.note >= 0 && !blank(field(r, m_.note))) return SkipKind::Note;
        return SkipKind::NoGlucose;
    }

    // A level cell read once for each text, as a CGM's readings repeat the
    // same few.
    const LevelRead& levelOf(std::string_view text, bool sourceMg) {
        // "6.2", "112": found by their tenths, with no hashing.
        auto& byTenths = levelsByTenths_[sourceMg ? 1 : 0];
        const std::optional<size_t> tenths = plainTenths(text);
        if (tenths && *tenths < kTenthsKept) {
            if (byTenths.empty()) byTenths.resize(kTenthsKept);
            if (!byTenths[*tenths])
                byTenths[*tenths] = std::make_unique<LevelRead>(readLevel(text, sourceMg));
            return *byTenths[*tenths];
        }
        auto [at, fresh] = levelCache_[sourceMg ? 1 : 0].try_emplace(text);
        if (fresh) at->second = readLevel(text, sourceMg);
        return at->second;
    }

    LevelRead readLevel(std::string_view text, bool sourceMg) const {
        LevelRead read;
        const auto level = readImportLevel(text);
        if (!level) return read.refusal = txt(T::kBadLevel), read;
        const int16_t fileUnit = sourceMg ? 1 : 0;
        const double value = sourceMg == isMgDl(unite_)
                                 ? *level
                                 : (sourceMg ? toMmolL(*level, 1) : toMgDl(*level, 0));
        read.stored = formatNumber(value, storageFormat(unite_));
        read.value = leadingNumber(read.stored);
        if (*level <= 0 || *level > highestLevel(fileUnit) || levelRefused(read.stored, unite_))
            read.refusal = txt(T::kLevelRefused) + std::to_string(highestLevel(fileUnit)) + " " +
                           unitName(fileUnit) + ")";
        return read;
    }

    RowResult readLevelAndNote(size_t r, std::string_view levelText, int64_t day, int minute,
                               RowRead& t) {
        const auto sourceMg = sourceIsMgDl(r);
        if (!sourceMg) return txt(T::kBadUnit);
        const LevelRead& level = levelOf(levelText, *sourceMg);
        if (!level.refusal.empty()) return level.refusal;

        const std::string_view note =
            m_.note >= 0 ? ownCell(field(r, m_.note), m_.ownExport) : std::string_view();
        const StorableCheck check = checkStorable(note);
        if (check.problem != Unstorable::None)
            return txt(T::kUnstorableNote) +
                   (check.problem == Unstorable::LineBreak ? std::string("\\n") : check.character);
        t = {day, minute, &level, note};
        return {};
    }

    // The day of a date text; rows come day after day, so the last one is
    // kept.
    std::optional<int64_t> dayOf(std::string_view date) {
        if (date != lastDateRead_) {
            lastDateRead_ = date;
            lastDayRead_ = readImportDay(date, m_.order);
        }
        return lastDayRead_;
    }

public:
    // The test of a reading, in the journal's date format and unit.
    Test testOf(const RowRead& read) {
        Test t;
        t.day = read.day;
        t.minute = read.minute;
        t.date = dateText(read.day);
        t.time = hhmm(read.minute);
        t.level = read.level->stored;
        t.value = read.level->value;
        t.note = read.note;
        return t;
    }

private:
    // The journal's date text of a day, the last one kept likewise.
    const std::string& dateText(int64_t day) {
        if (day != lastDay_) {
            lastDay_ = day;
            lastDate_ = formatShortDate(DateTime::fromDays(day), datePattern_);
        }
        return lastDate_;
    }

    std::optional<bool> sourceIsMgDl(size_t r) const {
        switch (m_.levelUnit) {
            case ImportUnit::MmolL:
                return false;
            case ImportUnit::MgDl:
                return true;
            case ImportUnit::FromColumn:
                break;
        }
        const std::string u = upperCase(field(r, m_.unit));
        if (u.find("MG") != std::string::npos) return true;
        if (u.find("MMOL") != std::string::npos) return false;
        return std::nullopt;
    }

    const CsvTable& t_;
    const ColumnMapping& m_;
    std::string_view datePattern_;
    int16_t unite_, langue_;
    int64_t today_;
    const ImportChoices& choices_;
    size_t fields_ = 0;
    std::vector<int> levels_;
    int64_t lastDay_ = kNoDay;
    std::string lastDate_;
    std::string_view lastDateRead_;  // a view of the table, which outlives the reader
    std::optional<int64_t> lastDayRead_;
    // By unit of the file, keyed by views of the table, which outlives the reader.
    std::array<std::unordered_map<std::string_view, LevelRead>, 2> levelCache_;
    static constexpr size_t kTenthsKept = 10000;
    std::array<std::vector<std::unique_ptr<LevelRead>>, 2> levelsByTenths_;
};

int64_t momentKey(int64_t day, int minute) { return day * 1440 + minute; }

// The first day from which the newest `room` tests (newest first) are all
// the tests planned; nothing when not even the newest day fits.
std::optional<int64_t> firstDayThatFits(const std::vector<Test>& newestFirst, int room) {
    if (room <= 0 || static_cast<size_t>(room) >= newestFirst.size()) return std::nullopt;
    const int64_t cut = newestFirst[static_cast<size_t>(room)].day;
    if (cut >= newestFirst.front().day) return std::nullopt;
    return cut + 1;
}

}  // namespace

namespace {

// The readings (in the file's order) newest first, each moment once, as
// indices: the first row read of a moment is kept, any other and any moment
// the journal holds already counted as a duplicate. Exports list their rows
// oldest or newest first, which needs no sorting.
std::vector<uint32_t> newestFirstOnce(const std::vector<RowRead>& read,
                                      const std::vector<Test>& journal, int& duplicates) {
    std::vector<int64_t> held;
    held.reserve(journal.size());
    for (const Test& t : journal) held.push_back(momentKey(t.day, t.minute));
    std::sort(held.begin(), held.end());

    std::vector<std::pair<int64_t, uint32_t>> order;  // moment, row read
    order.reserve(read.size());
    for (size_t i = 0; i < read.size(); ++i)
        order.emplace_back(momentKey(read[i].day, read[i].minute), static_cast<uint32_t>(i));
    auto oldestFirst = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (std::is_sorted(order.begin(), order.end(), oldestFirst)) {
        // Newest first, each run of one moment led by the row read first.
        std::reverse(order.begin(), order.end());
        for (size_t end = 0, begin = 0; begin < order.size(); begin = end) {
            end = begin;
            while (end < order.size() && order[end].first == order[begin].first) ++end;
            std::reverse(order.begin() + static_cast<ptrdiff_t>(begin),
                         order.begin() + static_cast<ptrdiff_t>(end));
        }
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    }
    std::vector<uint32_t> once;
    once.reserve(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const int64_t moment = order[k].first;
        if ((k > 0 && order[k - 1].first == moment) ||
            std::binary_search(held.begin(), held.end(), moment)) {
            ++duplicates;
            continue;
        }
        once.push_back(order[k].second);
    }
    return once;
}

}  // namespace

ImportPlan planImport(const CsvTable& table, const ColumnMapping& mapping,
                      const std::vector<Test>& journal, std::string_view datePattern, int16_t unite,
                      int16_t langue, int64_t today, const ImportChoices& choices) {
    ImportPlan plan;
    plan.journalCount = static_cast<int>(journal.size());
    std::vector<RowRead> read;
    read.reserve(table.rowCount());
    RowReader reader(table, mapping, datePattern, unite, langue, today, choices);
    for (size_t r = mapping.firstDataRow(); r < table.rowCount(); ++r) {
        if (table.fieldCount(r) == 1 && blank(table.field(r, 0))) continue;
        RowRead row;
        RowResult result = reader.read(r, row);
        if (std::holds_alternative<std::monostate>(result))
            read.push_back(row);
        else if (auto* reason = std::get_if<std::string>(&result))
            plan.bad.push_back({table.line(r), std::move(*reason)});
        else
            ++plan.skipped[static_cast<size_t>(std::get<SkipKind>(result))];
    }
    const std::vector<uint32_t> once = newestFirstOnce(read, journal, plan.duplicates);
    plan.toAdd.reserve(once.size());
    for (uint32_t i : once) plan.toAdd.push_back(reader.testOf(read[i]));
    plan.room = std::max(0, kMaxTests - plan.journalCount);
    plan.overLimit = static_cast<int>(plan.toAdd.size()) > plan.room;
    if (plan.overLimit) plan.fitsFrom = firstDayThatFits(plan.toAdd, plan.room);
    return plan;
}

void keepNewestThatFit(ImportPlan& plan) {
    if (!plan.overLimit) return;
    plan.leftOut += static_cast<int>(plan.toAdd.size()) - plan.room;
    plan.toAdd.resize(static_cast<size_t>(plan.room));
    plan.overLimit = false;
    plan.fitsFrom.reset();
}

std::string planSummary(const ImportPlan& plan, int16_t langue) {
    std::string text = std::to_string(plan.toAdd.size()) + pick(T::kPlanToAdd, langue) +
                       std::to_string(plan.duplicates) + pick(T::kPlanDuplicates, langue);
    if (plan.skippedTotal() > 0) {
        text += std::to_string(plan.skippedTotal()) + pick(T::kPlanSkipped, langue) + " (";
        bool first = true;
        for (size_t k = 0; k < kSkipKinds; ++k) {
            if (plan.skipped[k] == 0) continue;
            text += (first ? "" : ", ") + std::string(pick(kKinds[k].name, langue)) + " " +
                    std::to_string(plan.skipped[k]);
            first = false;
        }
        text += "), ";
    }
    if (plan.leftOut > 0) text += std::to_string(plan.leftOut) + pick(T::kPlanLeftOut, langue);
    return text + std::to_string(plan.bad.size()) + pick(T::kPlanBad, langue);
}

std::string overLimitAdvice(const ImportPlan& plan, int16_t langue, std::string_view datePattern) {
    std::string text = pick(T::kRoomFor, langue) + std::to_string(plan.room) +
                       pick(T::kRoomBrings, langue) + std::to_string(plan.toAdd.size()) +
                       pick(T::kRoomNewest, langue);
    if (plan.fitsFrom)
        text += pick(T::kRoomFrom, langue) +
                formatShortDate(DateTime::fromDays(*plan.fitsFrom), datePattern);
    return text + ".";
}

}  // namespace dx::report
