// Any bytes as a journal file, read, exported as our CSV and planned for
// import into an empty journal, in both units: every test the journal can
// hold comes back with its date, time, level and note, and every row is
// accounted for. Tests the import cannot take (no date, a refused level, a
// note with a line break) are listed as bad rows, never silently dropped.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal_codec.h"
#include "report/exchange.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace {

namespace R = dx::report;

constexpr const char* kPattern = "yyyy-MM-dd";
constexpr int64_t kFarFuture = 3000000;  // no test lies after it

// The level the journal would hold after the trip: out through whole mg/dl.
std::string levelAfterTrip(double value, int16_t unite) {
    const double mg = R::toMgDl(value, unite);
    return dx::formatNumber(dx::isMgDl(unite) ? mg : R::toMmolL(mg, 1), dx::storageFormat(unite));
}

bool importable(const R::Test& t, int16_t unite) {
    if (t.day == R::kNoDay || t.minute < 0 || t.minute >= 1440) return false;
    const double mg = R::toMgDl(t.value, unite);
    if (mg <= 0 || mg > dx::highestLevel(1)) return false;
    if (dx::levelRefused(levelAfterTrip(t.value, unite), unite)) return false;
    return dx::checkStorable(t.note).problem == dx::Unstorable::None;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const dx::ParsedJournal parsed = dx::parseJournal(bytes, dx::kMaxTests);
    const std::vector<R::Test> tests = R::testsOf(parsed.tests, kPattern);
    for (int16_t unite : {0, 1}) {
        const R::CsvParse csv = R::parseCsv(R::exportCsv(tests, unite));
        if (!csv.table) __builtin_trap();
        const R::ColumnMapping mapping = R::guessMapping(*csv.table);
        if (!mapping.ownExport) __builtin_trap();
        const R::ImportPlan plan =
            R::planImport(*csv.table, mapping, {}, kPattern, unite, 0, kFarFuture);

        // The export writes the oldest first: the first of two tests at one
        // moment is the one kept.
        std::set<std::pair<int64_t, int>> seen;
        size_t expected = 0;
        for (auto t = tests.rbegin(); t != tests.rend(); ++t) {
            if (!importable(*t, unite) || !seen.insert({t->day, t->minute}).second) continue;
            ++expected;
            bool found = false;
            for (const R::Test& added : plan.toAdd)
                found = found ||
                        (added.day == t->day && added.minute == t->minute &&
                         added.note == t->note && added.level == levelAfterTrip(t->value, unite));
            if (!found) __builtin_trap();
        }
        // A test whose time the journal itself does not read ("07:45 ")
        // may come back read, or listed as bad; none is ever dropped.
        if (plan.toAdd.size() < expected) __builtin_trap();
        if (plan.skippedTotal() != 0) __builtin_trap();
        if (plan.toAdd.size() + plan.bad.size() + static_cast<size_t>(plan.duplicates) !=
            tests.size())
            __builtin_trap();
    }
    return 0;
}
