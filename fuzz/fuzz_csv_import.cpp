// Any bytes as a CSV to import: read, mapped and planned against a small
// journal, in both units. Nothing may crash, and a plan never accounts for
// more rows than were read.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "report/exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace R = dx::report;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const R::CsvParse parsed = R::parseCsv(std::string(bytes));
    if (!parsed.table) return 0;
    const R::CsvTable& table = *parsed.table;
    for (size_t r = 0; r < table.rowCount(); ++r)
        if (table.fieldCount(r) == 0 || (r > 0 && table.line(r) <= table.line(r - 1)))
            __builtin_trap();
    const R::ColumnMapping mapping = R::guessMapping(table);
    R::Test held;
    held.day = 45000;
    held.minute = 480;
    held.value = 5.5;
    const std::vector<R::Test> journal = {held};
    for (int16_t unite : {0, 1}) {
        R::ImportPlan plan =
            R::planImport(table, mapping, journal, "dd/MM/yyyy", unite, unite, 46000);
        const size_t accounted = plan.toAdd.size() + plan.bad.size() +
                                 static_cast<size_t>(plan.duplicates + plan.skippedTotal());
        if (accounted > table.rowCount()) __builtin_trap();
        R::keepNewestThatFit(plan);
        if (plan.overLimit) __builtin_trap();
    }
    return 0;
}
