#pragma once

// Moving tests out of and into the journal: our CSV (ISO dates, both units,
// RFC 4180 quoting), a Nightscout-style JSON of manual readings, and the
// import of our CSV or any CSV through a column mapping, checked whole
// before anything is added.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_tests.h"

namespace dx::report {

// The level in the other unit: mg/dl = mmol/L x 18, rounded to whole mg/dl;
// mmol/L = mg/dl / 18, rounded to one decimal.
double toMgDl(double level, int16_t unite);
double toMmolL(double level, int16_t unite);

// "date,time,mmol_l,mg_dl,note" then one line a test, oldest first, CR LF.
inline constexpr const char* kCsvHeader = "date,time,mmol_l,mg_dl,note";
std::string exportCsv(const std::vector<Test>& tests, int16_t unite);

// Local time (seconds since 1970-01-01 as if UTC) to the UTC offset in
// force then, in seconds; the fronts give the system's time zone.
using UtcOffsetOf = std::function<int(int64_t localSeconds)>;
std::string exportNightscoutJson(const std::vector<Test>& tests, int16_t unite,
                                 const UtcOffsetOf& offsetOf);

// ---- Reading CSV (RFC 4180: quoted fields, doubled quotes, CR LF or LF,
// a field may hold line breaks; ";" or "," or tab as the separator, guessed
// from the first line). Never throws; bad bytes give an error.
struct CsvTable {
    std::vector<std::vector<std::string>> rows;  // the header row included
    std::vector<int> lines;                      // the line each row starts on
};
struct CsvParse {
    std::optional<CsvTable> table;
    std::string error;  // when table is empty: why (language-neutral detail)
};
CsvParse parseCsv(std::string_view bytes);

enum class DateOrder { YMD, DMY, MDY };
enum class ImportUnit { MmolL, MgDl, FromColumn };

// Which column holds what (0-based, -1 none). Date and time may be one
// column (date holds both when time is -1).
struct ColumnMapping {
    int date = -1, time = -1, level = -1, unit = -1, note = -1;
    DateOrder order = DateOrder::YMD;
    ImportUnit levelUnit = ImportUnit::MmolL;
    bool hasHeader = true;
};
// Our own export's header gives its mapping; anything else a best guess.
ColumnMapping guessMapping(const CsvTable& table);
bool isOwnExport(const CsvTable& table);

struct BadRow {
    int line = 0;
    std::string reason;  // in the language asked for
};
struct ImportPlan {
    std::vector<Test> toAdd;  // in the journal's date format and unit, newest first
    int duplicates = 0;       // same date and time as a test held or read before
    std::vector<BadRow> bad;
    int journalCount = 0;    // tests held now
    bool overLimit = false;  // journalCount + toAdd.size() > 5000
    bool acceptable() const { return bad.empty() && !overLimit && !toAdd.empty(); }
};
// Reads every row against the mapping and the journal held now. Nothing is
// changed: the caller shows the plan as a preview.
ImportPlan planImport(const CsvTable& table, const ColumnMapping& mapping,
                      const std::vector<Test>& journal, std::string_view datePattern, int16_t unite,
                      int16_t langue, int64_t today);

}  // namespace dx::report
