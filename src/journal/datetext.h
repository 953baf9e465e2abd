#pragma once

// Dates and times as the journal holds them: text in the system's short-date
// pattern (Windows notation: d, dd, M, MM, yy, yyyy and separators) and
// "hh:mm" times. They become dates only where arithmetic needs them.

#include <optional>
#include <string>
#include <string_view>

#include "platform/datetime.h"

namespace dx {

std::string formatShortDate(DateTime date, std::string_view pattern);
// "hh:mm" (24-hour, two digits each).
std::string formatShortTime(DateTime time);
// "hh:mm:ss".
std::string formatLongTime(DateTime time);

// A date text in the order of the pattern's day, month and year, with any of
// "-", "/", "." or blanks between the numbers; it may carry a time after a
// blank. A time alone ("00:00:00", "14:05") gives that time on the zero date.
// Nothing when the text is no valid date or time.
std::optional<DateTime> parseDate(std::string_view text, std::string_view pattern);

// parseDate with the pattern read once, for reading many dates in a row.
class DateTextReader {
public:
    explicit DateTextReader(std::string_view pattern);
    std::optional<DateTime> operator()(std::string_view text) const;

private:
    int dayAt_ = 2, monthAt_ = 1, yearAt_ = 0;  // the pattern's order of the three numbers
};

// "hh:mm" or "hh:mm:ss" or "h:mm" as a time of day, in seconds.
std::optional<int> parseTimeOfDay(std::string_view text);

// "hh:mm" (or any time the journal reads) as the minute of the day; -1 when
// the text is no time.
int minuteOfDay(std::string_view time);
// The minute of a time written as the entry panel writes it, hh:mm from
// 00:00 to 23:59; nothing for any other text.
std::optional<int> entryMinute(std::string_view time);

}  // namespace dx
