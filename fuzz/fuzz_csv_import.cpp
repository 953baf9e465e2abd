// Any bytes as a CSV to import: read, mapped and planned against a small
// journal, in both units. Nothing may crash, and a plan never holds more
// tests than the rows read.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "report/exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const dx::report::CsvParse parsed = dx::report::parseCsv(bytes);
    if (!parsed.table) return 0;
    const dx::report::CsvTable& table = *parsed.table;
    if (table.rows.size() != table.lines.size()) __builtin_trap();
    dx::report::isOwnExport(table);
    const dx::report::ColumnMapping mapping = dx::report::guessMapping(table);
    dx::report::Test held;
    held.day = 45000;
    held.minute = 480;
    held.value = 5.5;
    const std::vector<dx::report::Test> journal = {held};
    for (int16_t unite : {0, 1}) {
        const dx::report::ImportPlan plan =
            dx::report::planImport(table, mapping, journal, "dd/MM/yyyy", unite, unite, 46000);
        if (plan.toAdd.size() + plan.bad.size() + static_cast<size_t>(plan.duplicates) >
            table.rows.size())
            __builtin_trap();
    }
    return 0;
}
