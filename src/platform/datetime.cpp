#include "platform/datetime.h"

#include "platform/text.h"

namespace dx {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 back to 1899-12-30.
constexpr int64_t kZeroDateOffset = 25569;

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Howard Hinnant's civil-from-days, on days since 1970-01-01.
int64_t unixDaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// Neri and Schneider's civil-from-days, on 32-bit unsigned arithmetic, for
// the days of some 27,000 years either side of 1970: a year view of the
// chart converts a hundred day numbers on every move.
void civilFromUnixDaysNear(int64_t z, int& year, int& month, int& day) {
    constexpr uint32_t kShift = 82;  // eras of 400 years that make the days positive
    const auto n = static_cast<uint32_t>(z + 719468 + 146097 * int64_t{kShift});
    const uint32_t n1 = 4 * n + 3;
    const uint32_t century = n1 / 146097;
    const uint32_t n2 = n1 % 146097 / 4 * 4 + 3;
    const uint64_t p2 = uint64_t{2939745} * n2;
    const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);
    const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;  // from 1 March
    const uint32_t n3 = 2141 * dayOfYear + 197913;
    const uint32_t m = n3 >> 16;  // 3 to 14
    const bool nextYear = dayOfYear >= 306;
    year = static_cast<int>(100 * century + yearOfCentury) - static_cast<int>(400 * kShift) +
           (nextYear ? 1 : 0);
    month = static_cast<int>(nextYear ? m - 12 : m);
    day = static_cast<int>((n3 & 0xFFFF) / 2141 + 1);
}

void civilFromUnixDays(int64_t z, int& year, int& month, int& day) {
    if (z >= -10'000'000 && z <= 10'000'000) {
        civilFromUnixDaysNear(z, year, month, day);
        return;
    }
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(y + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

}  // namespace

int64_t daysFromCivil(int year, int month, int day) {
    return unixDaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
           kZeroDateOffset;
}

void civilFromDays(int64_t days, int& year, int& month, int& day) {
    civilFromUnixDays(days - kZeroDateOffset, year, month, day);
}

int daysInMonth(int year, int month) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return kLengths[month - 1];
}

int daysInPreviousMonth(int year, int month) {
    return month == 1 ? daysInMonth(year - 1, 12) : daysInMonth(year, month - 1);
}

DateTime DateTime::fromDays(int64_t days) { return DateTime(days * kSecondsPerDay); }

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second) {
    return DateTime(daysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 +
                    second);
}

int64_t DateTime::day() const { return floorDiv(seconds_, kSecondsPerDay); }

int DateTime::secondsOfDay() const { return static_cast<int>(seconds_ - day() * kSecondsPerDay); }

int DateTime::year() const {
    int y, m, d;
    civilFromDays(day(), y, m, d);
    return y;
}

int DateTime::month() const {
    int y, m, d;
    civilFromDays(day(), y, m, d);
    return m;
}

int DateTime::dayOfMonth() const {
    int y, m, d;
    civilFromDays(day(), y, m, d);
    return d;
}

int DateTime::hour() const { return secondsOfDay() / 3600; }
int DateTime::minute() const { return secondsOfDay() / 60 % 60; }
int DateTime::second() const { return secondsOfDay() % 60; }

int DateTime::weekday() const {
    // The zero date, 1899-12-30, was a Saturday.
    return static_cast<int>(((day() % 7) + 7 + 6) % 7) + 1;
}

DateTime DateTime::addMonths(int months) const {
    int y, m, d;
    civilFromDays(day(), y, m, d);
    int64_t index = static_cast<int64_t>(y) * 12 + (m - 1) + months;
    const int ny = static_cast<int>(floorDiv(index, 12));
    const int nm = static_cast<int>(index - static_cast<int64_t>(ny) * 12) + 1;
    const int nd = d > daysInMonth(ny, nm) ? daysInMonth(ny, nm) : d;
    return DateTime(daysFromCivil(ny, nm, nd) * kSecondsPerDay + secondsOfDay());
}

std::string DateTime::iso() const {
    int y, m, d;
    civilFromDays(day(), y, m, d);
    const std::string date = zeroPadded(y, 4) + "-" + zeroPadded(m, 2) + "-" + zeroPadded(d, 2);
    if (!hasTime()) return date;
    return date + " " + zeroPadded(hour(), 2) + ":" + zeroPadded(minute(), 2) + ":" +
           zeroPadded(second(), 2);
}

}  // namespace dx
