#include "journal/datetext.h"

#include <array>
#include <vector>

#include "platform/text.h"

namespace dx {

namespace {

enum class Field { Day, Month, Year };

// The order in which the pattern names day, month and year.
std::array<Field, 3> fieldOrder(std::string_view pattern) {
    std::array<Field, 3> order{Field::Year, Field::Month, Field::Day};
    int n = 0;
    bool seen[3] = {false, false, false};
    for (char c : pattern) {
        Field f;
        if (c == 'd' || c == 'D')
            f = Field::Day;
        else if (c == 'M')
            f = Field::Month;
        else if (c == 'y' || c == 'Y')
            f = Field::Year;
        else
            continue;
        const int idx = static_cast<int>(f);
        if (seen[idx]) continue;
        seen[idx] = true;
        if (n < 3) order[static_cast<size_t>(n++)] = f;
    }
    return n == 3 ? order : std::array<Field, 3>{Field::Year, Field::Month, Field::Day};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string twoDigits(int v) { return zeroPadded(v, 2); }

}  // namespace

std::string formatShortDate(DateTime date, std::string_view pattern) {
    int y, m, d;
    civilFromDays(date.day(), y, m, d);
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == 'd') {
            out += run >= 2 ? twoDigits(d) : std::to_string(d);
        } else if (c == 'M') {
            out += run >= 2 ? twoDigits(m) : std::to_string(m);
        } else if (c == 'y') {
            if (run <= 2) {
                out += twoDigits(((y % 100) + 100) % 100);
            } else {
                out += zeroPadded(y, 4);
            }
        } else if (c == '\'') {
            // Quoted literal text.
            size_t j = i + 1;
            while (j < pattern.size() && pattern[j] != '\'') out += pattern[j++];
            i = j + 1;
            continue;
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

std::string formatShortTime(DateTime time) {
    return twoDigits(time.hour()) + ":" + twoDigits(time.minute());
}

std::string formatLongTime(DateTime time) {
    return formatShortTime(time) + ":" + twoDigits(time.second());
}

std::optional<int> parseTimeOfDay(std::string_view text) {
    std::vector<int> parts;
    size_t i = 0;
    while (i < text.size()) {
        size_t start = i;
        int v = 0;
        while (i < text.size() && isDigit(text[i]) && i - start < 4) v = v * 10 + (text[i++] - '0');
        if (i == start) return std::nullopt;
        parts.push_back(v);
        if (i == text.size()) break;
        if (text[i] != ':') return std::nullopt;
        ++i;
        if (i == text.size()) return std::nullopt;
    }
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    const int h = parts[0], m = parts[1], s = parts.size() == 3 ? parts[2] : 0;
    if (h > 23 || m > 59 || s > 59) return std::nullopt;
    return h * 3600 + m * 60 + s;
}

DateTextReader::DateTextReader(std::string_view pattern) {
    const auto order = fieldOrder(pattern);
    for (int k = 0; k < 3; ++k) {
        switch (order[static_cast<size_t>(k)]) {
            case Field::Day:
                dayAt_ = k;
                break;
            case Field::Month:
                monthAt_ = k;
                break;
            case Field::Year:
                yearAt_ = k;
                break;
        }
    }
}

namespace {

bool isDateSeparator(char c) { return c == '-' || c == '/' || c == '.' || c == ' '; }

// The three numbers of a date text and how many digits each has.
struct DateNumbers {
    int values[3];
    int widths[3];
};

// The two shapes of nearly every journal date, ten characters with the
// separators in fixed places ("2000-01-08", "08/01/2000"), read without the
// general search; anything else is left to it.
std::optional<DateNumbers> tenCharacterDate(std::string_view text) {
    if (text.size() != 10) return std::nullopt;
    const bool yearFirst = isDateSeparator(text[4]) && isDateSeparator(text[7]);
    const bool yearLast = isDateSeparator(text[2]) && isDateSeparator(text[5]);
    if (yearFirst == yearLast) return std::nullopt;
    // The digits' values, each below 10 only when it is a digit; checked
    // all at once rather than one branch a digit.
    const auto digit = [&text](size_t i) { return static_cast<unsigned>(text[i] - '0'); };
    const auto number = [&](size_t from, size_t width) {
        unsigned value = 0;
        for (size_t i = from; i < from + width; ++i) value = value * 10 + digit(i);
        return static_cast<int>(value);
    };
    const size_t first = 0, second = yearFirst ? 5 : 3, third = yearFirst ? 8 : 6;
    const size_t firstWidth = yearFirst ? 4 : 2, thirdWidth = yearFirst ? 2 : 4;
    bool digits = true;
    for (size_t i = 0; i < 10; ++i)
        digits &= i == first + firstWidth || i == second + 2 || digit(i) < 10;
    if (!digits) return std::nullopt;
    return DateNumbers{{number(first, firstWidth), number(second, 2), number(third, thirdWidth)},
                       {static_cast<int>(firstWidth), 2, static_cast<int>(thirdWidth)}};
}

// Three numbers of up to five digits, separated by one separator each.
std::optional<DateNumbers> dateNumbers(std::string_view datePart) {
    DateNumbers n{};
    int count = 0;
    size_t i = 0;
    while (i < datePart.size()) {
        if (count == 3) return std::nullopt;
        const size_t start = i;
        long v = 0;
        while (i < datePart.size() && isDigit(datePart[i]) && i - start < 5)
            v = v * 10 + (datePart[i++] - '0');
        if (i == start) return std::nullopt;
        if (i < datePart.size() && isDigit(datePart[i])) return std::nullopt;
        n.values[count] = static_cast<int>(v);
        n.widths[count] = static_cast<int>(i - start);
        ++count;
        if (i == datePart.size()) break;
        if (!isDateSeparator(datePart[i])) return std::nullopt;
        ++i;
        if (i == datePart.size()) return std::nullopt;
    }
    if (count != 3) return std::nullopt;
    return n;
}

}  // namespace

std::optional<DateTime> DateTextReader::operator()(std::string_view text) const {
    std::optional<DateNumbers> numbers = tenCharacterDate(text);
    int timeOfDay = 0;
    if (!numbers) {
        // Trim blanks.
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        if (text.empty()) return std::nullopt;
        // With a colon the text is a time alone, or a date, blanks and a time.
        std::string_view datePart = text;
        if (text.find(':') != std::string_view::npos) {
            const size_t blank = text.find(' ');
            if (blank == std::string_view::npos) {
                const auto t = parseTimeOfDay(text);
                if (!t) return std::nullopt;
                return DateTime::fromSeconds(*t);
            }
            datePart = text.substr(0, blank);
            std::string_view rest = text.substr(blank + 1);
            while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
            const auto t = parseTimeOfDay(rest);
            if (!t) return std::nullopt;
            timeOfDay = *t;
        }
        numbers = dateNumbers(datePart);
        if (!numbers) return std::nullopt;
    }
    const int d = numbers->values[dayAt_], m = numbers->values[monthAt_];
    int y = numbers->values[yearAt_];
    if (numbers->widths[yearAt_] <= 2) y += y < 30 ? 2000 : 1900;
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m))
        return std::nullopt;
    return DateTime::fromDays(daysFromCivil(y, m, d)).addSeconds(timeOfDay);
}

std::optional<DateTime> parseDate(std::string_view text, std::string_view pattern) {
    return DateTextReader(pattern)(text);
}

// "hh:mm", as the journal writes nearly every time, read at once; anything
// else as the window reads a time.
std::optional<int> entryMinute(std::string_view time) {
    auto digit = [&](size_t i) { return time[i] >= '0' && time[i] <= '9'; };
    if (time.size() != 5 || time[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4))
        return std::nullopt;
    const int hours = (time[0] - '0') * 10 + (time[1] - '0');
    const int minutes = (time[3] - '0') * 10 + (time[4] - '0');
    if (hours >= 24 || minutes >= 60) return std::nullopt;
    return hours * 60 + minutes;
}

int minuteOfDay(std::string_view time) {
    if (const std::optional<int> minute = entryMinute(time)) return *minute;
    const std::optional<int> seconds = parseTimeOfDay(time);
    return seconds ? *seconds / 60 : -1;
}

}  // namespace dx
