#pragma once

// The import of a CSV of glucose readings: which columns hold what, found
// from the header row (wherever it stands below a preamble, named in
// English, French or German) or from the values; then the plan of what the
// rows give against the journal held now, checked whole before anything is
// added. Rows that hold no glucose reading (insulin, carbs, alerts,
// calibrations, device or patient lines) are counted by kind and left out;
// rows that cannot be read are listed with their line and reason.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "report/csv_table.h"
#include "report/report_tests.h"

namespace dx::report {

enum class DateOrder { YMD, DMY, MDY };
enum class ImportUnit { MmolL, MgDl, FromColumn };
// Where the levels' unit was found: named in the header, seen in the values
// (a level above what mmol/L reaches), in a unit column, or assumed.
enum class UnitSource { Header, Values, Column, Assumed };

// Why a row that holds no reading is left out.
enum class SkipKind {
    Insulin,
    Carbs,
    Alert,
    Calibration,
    Device,
    Patient,
    Note,
    NoGlucose,   // a row with an empty glucose cell and nothing else to tell
    Other,       // a record type of no other kind (exercise, health, ...)
    OutOfRange,  // a reading outside the days asked for
};
inline constexpr size_t kSkipKinds = 10;
// "insulin", "carbs", "alert", ... as the command line's JSON names them.
const char* skipKindKey(SkipKind kind);
const Bilingual& skipKindName(SkipKind kind);

// Which column holds what (0-based, -1 none). Date and time may be one
// column (date holds both when time is -1 or its cell is empty).
struct ColumnMapping {
    int date = -1, time = -1, level = -1, unit = -1, note = -1;
    // Further glucose columns (a CGM's scans beside its historic readings),
    // read in order when the level's cell is empty.
    std::vector<int> moreLevels;
    // A record or event type, and columns whose content tells what a row
    // without glucose is (insulin, carbs, patient or device information).
    int recordType = -1;
    std::vector<std::pair<int, SkipKind>> kindColumns;
    DateOrder order = DateOrder::YMD;
    bool orderFromValues = false;  // a value only one order reads; else assumed
    ImportUnit levelUnit = ImportUnit::MmolL;
    UnitSource unitSource = UnitSource::Assumed;
    bool hasHeader = true;
    size_t headerRow = 0;  // rows above it are a preamble
    bool ownExport = false;

    size_t firstDataRow() const { return hasHeader ? headerRow + 1 : 0; }
};
// Our own export's header gives its mapping; anything else a best guess.
ColumnMapping guessMapping(const CsvTable& table);
bool isOwnExport(const CsvTable& table);

// The day of a date written with its year, month and day in the order
// given (2-digit years are 20yy); a date and time in one text is cut at
// the first blank or "T".
std::optional<int64_t> readImportDay(std::string_view text, DateOrder order);
// The minute of the day of "8:15", "08:15:30.000", "8:15 PM", "20h15", with
// a zone ("Z", "+01:00") after it ignored: the clock time as written.
std::optional<int> readImportMinute(std::string_view text);
// A level with a decimal point or comma.
std::optional<double> readImportLevel(std::string_view text);

struct BadRow {
    int line = 0;
    std::string reason;  // in the language asked for
};

// What the user asked beside the mapping.
struct ImportChoices {
    std::optional<DayRange> days;  // only readings of these days
};

struct ImportPlan {
    std::vector<Test> toAdd;  // in the journal's date format and unit, newest first
    int duplicates = 0;       // same date and time as a test held or read before
    std::array<int, kSkipKinds> skipped{};
    std::vector<BadRow> bad;
    int journalCount = 0;    // tests held now
    int room = 0;            // tests the journal can still take
    bool overLimit = false;  // more to add than room
    // When over the limit: the first day from which the newest tests all fit.
    std::optional<int64_t> fitsFrom;
    int leftOut = 0;  // older tests dropped by keepNewestThatFit

    int skippedTotal() const;
    // The good rows can be added (bad rows, if any, are left out).
    bool canImport() const { return !overLimit && !toAdd.empty(); }
    // Every row read well and the tests fit.
    bool acceptable() const { return bad.empty() && canImport(); }
};
// Reads every row against the mapping and the journal held now. Nothing is
// changed: the caller shows the plan as a preview.
ImportPlan planImport(const CsvTable& table, const ColumnMapping& mapping,
                      const std::vector<Test>& journal, std::string_view datePattern, int16_t unite,
                      int16_t langue, int64_t today, const ImportChoices& choices = {});
// Keeps the newest tests that fit in the journal, the older ones left out.
void keepNewestThatFit(ImportPlan& plan);

// The plan's counts in a line: "N tests to add, N duplicates skipped, N
// rows without a reading skipped (N insulin, ...), N bad rows".
std::string planSummary(const ImportPlan& plan, int16_t langue);
// When over the limit: how many fit, and the newest or the days that do
// (the first of them written with datePattern).
std::string overLimitAdvice(const ImportPlan& plan, int16_t langue, std::string_view datePattern);

}  // namespace dx::report
