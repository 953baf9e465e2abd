#include "chart/chart_walk.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "settings/numbers.h"
#include "window/fenetre.h"

namespace dx::chart {

Period checkedPeriod(const Fenetre& w) {
    if (w.Menu_Sem.checked) return Period::Week;
    if (w.Menu_Mois.checked) return Period::Month;
    if (w.Menu_Annee.checked) return Period::Year;
    return Period::Week;
}

float levelY(double level, int32_t facteurUnite) {
    return static_cast<float>(1300.0 - 52.0 * (level / facteurUnite));
}

void LevelMarks::useUnit(int32_t facteurUnite, const BandLimits& bands) {
    if (facteurUnite == facteurUnite_ && bands == bands_) return;
    facteurUnite_ = facteurUnite;
    bands_ = bands;
    levels_.fill(kNothing);
}

void LevelMarks::mark(size_t slot, double level, uint64_t bits) {
    levels_[slot] = bits;
    heights_[slot] = levelYWhole(level, facteurUnite_);
    const double limits[3] = {bands_.optimalFrom, bands_.suboptimalFrom, bands_.compromiseFrom};
    Reached reached = 0;
    for (int limit = 0; limit < 3; ++limit)
        if (level >= limits[limit]) reached |= Reached{1} << (limit * kFieldBits);
    reached_[slot] = reached;
}

namespace {

// How many of a chain's elements, from the one just worked out (`first`,
// right - step rounded), are sure to lie `drop` apart without checking them.
// While the exact differences x - step stay within first's power of two,
// each rounds to the nearest multiple of that binade's float spacing u, so
// the rounding takes off the multiple of u nearest to step, the same every
// time: unless step lies halfway between two multiples, or so near halfway
// that the rounding to double first could tip it, which is then left to the
// checks.
size_t provenStretch(float right, double step, float first, double drop) {
    if (!(step > 0) || !std::isnormal(first) || first < 0) return 0;
    // first's power of two, its exponent bits alone, and the spacing there.
    const double low = std::bit_cast<float>(std::bit_cast<uint32_t>(first) & 0x7F800000u);
    const double unit = low * 0x1p-23;
    if (first < low + unit) return 0;  // right - step might lie below the binade
    const double units = step / unit;  // exact: a power of two apart
    if (!(units < 0x1p52)) return 0;
    const auto whole = static_cast<double>(static_cast<int64_t>(units));
    const double fraction = units - whole;
    const double nearest = fraction < 0.5 ? whole : whole + 1;
    if (std::abs(fraction - 0.5) <= 0x1p-29 || drop != unit * nearest) return 0;
    // Element j is sure while right - (j - 1) * drop - step stays above
    // low + unit; the floor below errs on the short side.
    const double room = (static_cast<double>(right) - low - unit - step) / drop;
    return room >= 2 && room < 1e9 ? static_cast<size_t>(room) : 0;
}

}  // namespace

void chainLeftEnds(float rightX, double step, std::span<float> out) {
    // How far a guess runs before it is checked. It starts short, as a guess
    // that cannot be proven is most often one made just above a power of
    // two, about to fail, and doubles while guesses hold.
    constexpr size_t kFirstStretch = 8, kLongestStretch = 256;
    size_t stretch = kFirstStretch;
    size_t k = 0;
    float right = rightX;
    while (k < out.size()) {
        out[k] = static_cast<float>(right - step);
        // What the rounding took off: exact, the two ends being floats
        // within a few units of each other.
        const double drop = static_cast<double>(right) - out[k];
        const size_t proven = std::min(out.size() - k, provenStretch(right, step, out[k], drop));
        const size_t end = proven >= 2 ? k + proven : std::min(out.size(), k + stretch);
        // The guesses and their checks are independent of one another, so
        // both loops run element by element without waiting, or as vectors.
        // While the drops taken off add up to fewer than 2^24 of the binade's
        // spacing, every product and difference is exact in single precision,
        // which runs twice as wide.
        const float unit =
            std::bit_cast<float>(std::bit_cast<uint32_t>(out[k]) & 0x7F800000u) * 0x1p-23f;
        if (proven >= 2 && drop / unit * static_cast<double>(proven) < 0x1p24) {
            const auto dropF = static_cast<float>(drop);
            for (size_t i = k + 1; i < end; ++i)
                out[i] = right - dropF * static_cast<float>(static_cast<int32_t>(i - k + 1));
        } else {
            for (size_t i = k + 1; i < end; ++i)
                out[i] = static_cast<float>(
                    right - drop * static_cast<double>(static_cast<int32_t>(i - k + 1)));
        }
        // Compared bit for bit, stricter than ==, which a zero's sign escapes.
        uint32_t differs = 0;
        for (size_t i = proven >= 2 ? end : k + 1; i < end; ++i)
            differs |= std::bit_cast<uint32_t>(out[i]) ^
                       std::bit_cast<uint32_t>(static_cast<float>(out[i - 1] - step));
        if (differs == 0) {
            k = end;
            if (proven < 2) stretch = std::min(2 * stretch, kLongestStretch);
        } else {
            k += 1;
            while (std::bit_cast<uint32_t>(out[k]) ==
                   std::bit_cast<uint32_t>(static_cast<float>(out[k - 1] - step)))
                ++k;
            stretch = kFirstStretch;
        }
        right = out[k - 1];
    }
}

int32_t roundCoordinate(float value) { return static_cast<int32_t>(roundHalfEven(value)); }

int monthOfDay(int64_t day) {
    if (day == Journal::kNoDay) return 0;
    return DateTime::fromDays(day).month();
}

MonthSpan monthSpanOf(int64_t day) {
    int year = 0, month = 0, dayOfMonth = 0;
    civilFromDays(day, year, month, dayOfMonth);
    const int64_t first = day - (dayOfMonth - 1);
    return {first, first + daysInMonth(year, month) - 1, month};
}

int64_t dayAt(const Journal& journal, int32_t index) {
    if (index < 1 || index > journal.Nb_Tests) return Journal::kNoDay;
    return journal.dayNumber[static_cast<size_t>(index)];
}

std::optional<int64_t> oldestDay(const Journal& journal) {
    const int64_t day = dayAt(journal, journal.Nb_Tests);
    if (day == Journal::kNoDay) return std::nullopt;
    return day;
}

void showDate(Fenetre& w, DateTime date) { w.Aff_Date.caption = w.dateText(date); }

DateTime shownDate(const Fenetre& w) {
    return w.textDate(w.Aff_Date.caption).value_or(w.view.Date_Affichee);
}

void readBackDate(Fenetre& w) { w.view.Date_Affichee = shownDate(w); }

bool showsToday(const Fenetre& w) { return w.Aff_Date.caption == w.dateText(w.today()); }

void setCursorQuietly(Fenetre& w, int value) {
    w.view.Curseur_Actif = 0;
    w.Curseur.setValue(value);
    w.view.Curseur_Actif = 1;
}

void enableForEarlierWeek(Fenetre& w) {
    const auto oldest = oldestDay(w.journal);
    w.Curseur.enabled = oldest && *oldest <= w.view.Date_Affichee.addDays(-7).day();
}

}  // namespace dx::chart
