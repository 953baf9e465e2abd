#include "cli_common.h"

#include <chrono>

#include "journal/datetext.h"
#include "platform/datetime.h"
#include "platform/posix/local_time.h"
#include "platform/posix/posix_locale.h"
#include "platform/text.h"
#include "report/report_texts.h"

namespace dx::report_cli {

namespace T = report_texts;

namespace {

std::optional<int64_t> isoDay(const std::string& text) {
    const auto date = parseDate(text, "yyyy-MM-dd");
    if (!date) return std::nullopt;
    return date->day();
}

}  // namespace

CommonOptions::CommonOptions() : datePattern(systemShortDatePattern()) {}

int16_t languageOf(int argc, char** argv) {
    int16_t langue = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--lang") langue = std::string(argv[i + 1]) == "fr" ? 1 : 0;
    return langue;
}

bool isCommonOption(const std::string& a) {
    return a == "--unit" || a == "--lang" || a == "--date-format" || a == "--from" || a == "--to";
}

std::string takeCommonOption(const std::string& a, const std::string& value, CommonOptions& o) {
    if (a == "--unit") {
        if (value != "mmol" && value != "mg") return a + pick(T::kCliUnitTakes, o.langue);
        o.unite = value == "mg" ? 1 : 0;
    } else if (a == "--lang") {
        if (value != "en" && value != "fr") return pick(T::kCliLangValues, o.langue);
        o.langue = value == "fr" ? 1 : 0;
    } else if (a == "--date-format") {
        o.datePattern = value;
    } else {  // --from, --to
        const auto day = isoDay(value);
        if (!day) return std::string(a).append(pick(T::kCliDateValue, o.langue));
        (a == "--from" ? o.from : o.to) = day;
    }
    return "";
}

int64_t localToday() {
    const auto utc = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const int64_t local = utc + systemUtcOffset(utc);
    return DateTime::fromParts(1970, 1, 1).day() + local / 86400 - (local % 86400 < 0 ? 1 : 0);
}

}  // namespace dx::report_cli
