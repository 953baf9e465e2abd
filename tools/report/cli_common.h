#pragma once

// What every command of dextrel-report reads the same way: the language
// asked for, the options that name the journal's unit, language, date
// pattern and days, and today on the system's clock.

#include <cstdint>
#include <optional>
#include <string>

namespace dx::report_cli {

// The options the commands share. The journal's dates are read as the
// program on this system writes them unless --date-format says otherwise.
struct CommonOptions {
    std::string datePattern;
    int16_t unite = 0, langue = 0;
    std::optional<int64_t> from, to;
    CommonOptions();
};

// The language asked for with --lang, wherever it stands, so that the
// errors about earlier arguments speak it too.
int16_t languageOf(int argc, char** argv);

// Whether option `a` is one of the shared ones that take a value.
bool isCommonOption(const std::string& a);

// Takes the value of a shared option; the error, or "" when it is allowed.
std::string takeCommonOption(const std::string& a, const std::string& value, CommonOptions& o);

// Today on the system's clock, in its time zone, as a day number.
int64_t localToday();

}  // namespace dx::report_cli
