#pragma once

// Small pieces of the chart procedures: the period on show, the anchor date
// as the caption of Aff_Date, the journal's day numbers, the level-to-height
// scale. The pure ones need no window and are unit-tested on their own.

#include <cmath>
#include <cstdint>
#include <array>
#include <bit>
#include <optional>
#include <span>

#include "journal/journal.h"
#include "platform/datetime.h"
#include "settings/units.h"

namespace dx {

class Fenetre;

namespace chart {

inline constexpr int kToday = 32767;  // the scrollbar's value for today
// At 32767 + 6 the seven days of the week view begin with the oldest day.
inline constexpr int kWeekOrigin = 32773;
inline constexpr float kRightEdge = 3650;

enum class Period { Week, Month, Year };

// The checked item among Menu_Sem, Menu_Mois and Menu_Annee.
Period checkedPeriod(const Fenetre& w);

// The height of a level on the chart: level 0 at 1300, one mmol/L 52 units
// up; the divisor turns mg/dl into the chart's mmol/L scale.
float levelY(double level, int32_t facteurUnite);
// The same height with the drop truncated to whole units, as the segments
// after the first of a drawing place their tests. Inline: a year view places
// some 1,500 tests on every move.
inline float levelYWhole(double level, int32_t facteurUnite) {
    const double drop = 52.0 * level / facteurUnite;
    // std::floor is a library call on the base instruction set; below 2^50
    // the truncation through an integer is exact and gives the same value.
    double whole;
    if (drop > -1e15 && drop < 1e15) {
        whole = static_cast<double>(static_cast<int64_t>(drop));
        if (whole > drop) whole -= 1;
    } else {
        whole = std::floor(drop);
    }
    return static_cast<float>(1300.0 - whole);
}

// What a drawing needs of each journal slot's level, remembered with the
// level it was worked out from: its height (levelYWhole) and the band limits
// it reaches. A year view places some 1,500 tests on every move, and a
// division and three compares each would cost more than the rest of the
// segment, so they are worked out only for the tests not placed before.
class LevelMarks {
public:
    // The limits reached, counted in three fields of one number, so that the
    // marks of a run add up in one register: the count of levels reaching
    // the optimal limit in the low field, then the suboptimal, then the
    // compromise one.
    using Reached = uint64_t;
    static constexpr int kFieldBits = 21;  // room for far more than 5000 tests
    static int32_t countOf(Reached sum, int limit) {
        return static_cast<int32_t>(sum >> (limit * kFieldBits) & ((1u << kFieldBits) - 1));
    }

    // Before a drawing: a change of unit forgets every mark.
    void useUnit(int32_t facteurUnite, const BandLimits& bands);
    float height(size_t slot, double level) {
        const auto bits = std::bit_cast<uint64_t>(level);
        if (levels_[slot] != bits) mark(slot, level, bits);
        return heights_[slot];
    }
    // The limits reached by the level last given to height() for the slot.
    Reached reached(size_t slot) const { return reached_[slot]; }

private:
    void mark(size_t slot, double level, uint64_t bits);

    // A NaN, which no level read from a text is.
    static constexpr uint64_t kNothing = ~uint64_t{0};
    int32_t facteurUnite_ = 0;  // none yet: a divisor is never 0
    BandLimits bands_{};
    std::array<uint64_t, kJournalSlots> levels_;
    std::array<float, kJournalSlots> heights_{};
    std::array<Reached, kJournalSlots> reached_{};
};

// The left ends of a chain of `out.size()` segments of one width running
// leftwards from x = rightX, each starting where its right-hand neighbour
// ends: out[k] = float(out[k - 1] - step), out[-1] being rightX.
//
// Done one after the other, each subtraction waits for the one before. But
// within a power of two the rounding to single precision takes off the same
// amount every time, so each stretch of the chain is an arithmetic
// progression, written all at once: directly where the stretch is sure to
// stay within its power of two, and elsewhere guessed, then checked element
// by element against the definition, the guess starting again after the
// first that fails. The result is the serial chain's, bit for bit.
void chainLeftEnds(float rightX, double step, std::span<float> out);

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
    // Four days are asked at a time, their answers joined without a branch.
    size_t endOfRun(const int64_t* days, size_t from, size_t end) const {
        for (; from + 4 <= end; from += 4) {
            const bool a = holds(days[from]), b = holds(days[from + 1]);
            const bool c = holds(days[from + 2]), d = holds(days[from + 3]);
            if (!(a & b & c & d)) break;
        }
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
void showDate(Fenetre& w, DateTime date);
// Date_Affichee is read back from the caption of Aff_Date.
void readBackDate(Fenetre& w);
// The date the caption of Aff_Date denotes (Date_Affichee when it denotes
// none).
DateTime shownDate(const Fenetre& w);
// The caption of Aff_Date is today's date.
bool showsToday(const Fenetre& w);
// Sets the scrollbar with its change handler silenced.
void setCursorQuietly(Fenetre& w, int value);

// With tests in the journal, the scrollbar is enabled only when the oldest
// test lies at least 7 days before Date_Affichee: an earlier week exists.
void enableForEarlierWeek(Fenetre& w);

}  // namespace chart
}  // namespace dx
