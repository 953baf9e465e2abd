#pragma once

// Small pieces of the chart procedures: the period on show, the anchor date
// as the caption of Aff_Date, the journal's day numbers, the level-to-height
// scale. The pure ones need no window and are unit-tested on their own.

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "journal/journal.h"
#include "platform/datetime.h"
#include "settings/units.h"

namespace dx {

class Chart;

namespace chart {

inline constexpr int kToday = 32767;  // the scrollbar's value for today
// At 32767 + 6 the seven days of the week view begin with the oldest day.
inline constexpr int kWeekOrigin = 32773;
inline constexpr float kRightEdge = 3650;

enum class Period { Week, Month, Year };

// The checked item among Menu_Sem, Menu_Mois and Menu_Annee.
Period checkedPeriod(const Chart& w);

// The height of a level on the chart: level 0 at 1300, one mmol/L 52 units
// up; the divisor turns mg/dl into the chart's mmol/L scale.
float levelY(double level, int32_t facteurUnite);
// The same height with the drop truncated to whole units, as the segments
// after the first of a drawing place their tests.
inline float levelYWhole(double level, int32_t facteurUnite) {
    return static_cast<float>(1300.0 - std::floor(52.0 * level / facteurUnite));
}

// A coordinate as the whole number the left-end heights keep.
int32_t roundCoordinate(float value);

// The month number (1..12) of a day number; 0 for a test with no date.
int monthOfDay(int64_t day);

// The days of one month, as day numbers, and its number (1..12).
struct MonthSpan {
    int64_t first, last;
    int month;
    bool holds(int64_t day) const {
        // Unsigned, so that kNoDay and any day before `first` fall outside.
        return static_cast<uint64_t>(day) - static_cast<uint64_t>(first) <=
               static_cast<uint64_t>(last - first);
    }
    // The first index from `from` (up to `end`) whose day is not in the month.
    size_t endOfRun(const int64_t* days, size_t from, size_t end) const {
        while (from < end && holds(days[from])) ++from;
        return from;
    }
};
MonthSpan monthSpanOf(int64_t day);

// The day number of a journal slot, kNoDay beyond the last test.
int64_t dayAt(const Journal& journal, int32_t index);
// The day of the oldest test, if the journal holds a dated one.
std::optional<int64_t> oldestDay(const Journal& journal);

// Aff_Date shows a date: its caption becomes the date's text.
void showDate(Chart& w, DateTime date);
// Date_Affichee is read back from the caption of Aff_Date.
void readBackDate(Chart& w);
// The date the caption of Aff_Date denotes (Date_Affichee when it denotes
// none).
DateTime shownDate(const Chart& w);
// The caption of Aff_Date is today's date.
bool showsToday(const Chart& w);
// Sets the scrollbar with its change handler silenced.
void setCursorQuietly(Chart& w, int value);

// With tests in the journal, the scrollbar is enabled only when the oldest
// test lies at least 7 days before Date_Affichee: an earlier week exists.
void enableForEarlierWeek(Chart& w);

}  // namespace chart
}  // namespace dx
