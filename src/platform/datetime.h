#pragma once

#include <cstdint>
#include <string>

namespace dx {

// A point in local time, in whole seconds from 1899-12-30 00:00:00. That
// epoch is the "zero date": day 0 of the window's date arithmetic, the value a
// date variable holds before anything is written into it.
class DateTime {
public:
    constexpr DateTime() = default;
    static constexpr DateTime fromSeconds(int64_t s) { return DateTime(s); }
    static DateTime fromDays(int64_t days);
    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0);

    int64_t seconds() const { return seconds_; }
    int64_t day() const;  // whole days since the zero date
    int secondsOfDay() const;
    bool hasTime() const { return secondsOfDay() != 0; }

    int year() const;
    int month() const;       // 1..12
    int dayOfMonth() const;  // 1..31
    int hour() const;
    int minute() const;
    int second() const;
    int weekday() const;  // 1 = Sunday .. 7 = Saturday

    DateTime date() const { return fromDays(day()); }
    DateTime addDays(int64_t days) const { return DateTime(seconds_ + days * 86400); }
    DateTime addSeconds(int64_t s) const { return DateTime(seconds_ + s); }
    // Adds calendar months, keeping the day of the month where the target
    // month has it and falling back to the target month's last day otherwise.
    DateTime addMonths(int months) const;

    // "YYYY-MM-DD", with " HH:MM:SS" when a time of day is carried.
    std::string iso() const;

    friend constexpr auto operator<=>(const DateTime&, const DateTime&) = default;

private:
    constexpr explicit DateTime(int64_t s) : seconds_(s) {}
    int64_t seconds_ = 0;
};

int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(int64_t days, int& year, int& month, int& day);
int daysInMonth(int year, int month);
// The length of the month before (year, month): December of the year before for January.
int daysInPreviousMonth(int year, int month);

}  // namespace dx
