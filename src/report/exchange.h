#pragma once

// Moving tests out of the journal: our CSV (ISO dates, both units, RFC 4180
// quoting, no cell a spreadsheet would run) and a Nightscout-style JSON of
// manual readings. The import of our CSV or any other is in import_plan.h.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/import_plan.h"
#include "report/report_tests.h"

namespace dx::report {

// The level in the other unit: mg/dl = mmol/L x 18, rounded to whole mg/dl;
// mmol/L = mg/dl / 18, rounded to one decimal.
double toMgDl(double level, int16_t unite);
double toMmolL(double level, int16_t unite);

// "date,time,mmol_l,mg_dl,note" then one line a test, oldest first, CR LF.
inline constexpr const char* kCsvHeader = "date,time,mmol_l,mg_dl,note";
std::string exportCsv(const std::vector<Test>& tests, int16_t unite);

// A spreadsheet runs a cell that starts with "=", "+", "-", "@", a tab or a
// CR. Our export puts a "'" before such a cell, and before one whose
// leading "'"s are followed by such a character, so that taking the first
// "'" off again gives back every text exactly.
std::string withFormulaGuard(std::string_view cell);
std::string_view withoutFormulaGuard(std::string_view cell);

// Local time (seconds since 1970-01-01 as if UTC) to the UTC offset in
// force then, in seconds; the fronts give the system's time zone.
using UtcOffsetOf = std::function<int(int64_t localSeconds)>;
std::string exportNightscoutJson(const std::vector<Test>& tests, int16_t unite,
                                 const UtcOffsetOf& offsetOf);

}  // namespace dx::report
