#include <array>

#include "chart/chart.h"
#include "chart/chart_walk.h"
#include "journal/calendar.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx {

using chart::Period;

namespace {

double levelOf(const Journal& journal, int32_t index) {
    return journal.levelNumber[static_cast<size_t>(index)];
}

DateTime lastDayOfMonth(DateTime date) {
    return date.addDays(Qte_Jrs_Dans_Mois(date) - date.dayOfMonth());
}

// The element at index, or the template when the chain has none there.
const Line& lineAt(const Chart& w, int32_t index) {
    const auto at = static_cast<size_t>(index);
    if (index >= 0 && at < w.Ligne.size() && w.Ligne[at]) return *w.Ligne[at];
    return *w.Ligne[0];
}

int64_t nextTestDay(const Chart& w) { return chart::dayAt(w.journal, w.view.Index_Test + 1); }

// Passes over the records dated after `day`. A drawing far in the past
// passes most of the journal here, so the loop reads the day numbers
// directly; a record with no readable date (kNoDay) or the journal's end stops it.
void passLaterRecords(Chart& w, int64_t day) {
    const Journal& j = w.journal;
    int32_t& i = w.view.Index_Test;
    while (i >= 0 && i < j.Nb_Tests && j.dayNumber[static_cast<size_t>(i) + 1] > day) ++i;
}

// Tests after the days on show are passed over.
void alignOnDay(Chart& w) { passLaterRecords(w, w.view.Date_Affichee.day()); }

void alignOnMonth(Chart& w) {
    ChartState& v = w.view;
    const auto sameMonthBefore = [&] {
        const int64_t d = nextTestDay(w);
        return d != Journal::kNoDay && d < v.Date_Affichee.day() &&
               chart::monthOfDay(d) == v.Date_Affichee.month();
    };
    if (sameMonthBefore()) {
        v.Date_Affichee = DateTime::fromDays(nextTestDay(w));
        return;
    }
    passLaterRecords(w, v.Date_Affichee.day());
    // Once the later records are passed, the month's newest test anchors the
    // partition whatever the direction of the last move, so that a month
    // that holds tests is always drawn with them.
    if (sameMonthBefore()) v.Date_Affichee = DateTime::fromDays(nextTestDay(w));
}

// Each partition stands for one month number, counting down from the
// anchor's month; records match by month number only, whatever their year.
void alignOnMonthNumber(Chart& w) {
    ChartState& v = w.view;
    // After a move the running date is put on the last day of its month, so
    // that a test made on that day belongs to the month.
    if (v.Sens_Curseur != 0) v.Date_Affichee = lastDayOfMonth(v.Date_Affichee);
    if (v.Mois_Partition <= 0) v.Mois_Partition = v.Date_Affichee.month();
    const auto previousMonthNumber = [&] {
        v.Mois_Partition -= 1;
        if (v.Mois_Partition == 0) v.Mois_Partition = 12;
    };
    while (true) {
        const int64_t d = nextTestDay(w);
        const int64_t running = v.Date_Affichee.day();
        if (d > running) {
            ++v.Index_Test;
        } else if (d == running) {
            previousMonthNumber();
            return;
        } else if (chart::monthOfDay(d) == v.Mois_Partition) {
            // The running date walks back day by day until it reaches d.
            v.Date_Affichee = DateTime::fromDays(d);
        } else {
            if (v.Sens_Curseur == 2)
                v.Date_Affichee = v.Date_Affichee.addDays(-Qte_Jrs_Dans_Mois(v.Date_Affichee));
            previousMonthNumber();
            return;
        }
    }
}

// A partition without tests: a flat cyan segment continuing the chain to the
// left, at the height of its right-hand neighbour's left end (or, for the
// first one, of the nearest test to the right of the chart).
void drawBridge(Chart& w, Period period) {
    ChartState& v = w.view;
    if (v.Ligne_Suivante == 0) v.Ligne_Suivante = 1;
    const int32_t n = v.Ligne_Suivante;
    const float width = static_cast<float>(v.Largeur_Partition);
    const Line right = lineAt(w, n - 1);
    Line& l = w.loadLigne(n);
    l.color = colour::kCyan;
    l.width = v.Epaisseur_Ligne;
    l.visible = true;
    if (n == 1) {
        w.Aff_Heure.caption = "";
        l.x1 = chart::kRightEdge - width;
        l.y1 =
            chart::levelY(levelOf(w.journal, std::max(v.Index_Test, 1)), w.settings.Facteur_Unite);
        l.x2 = chart::kRightEdge;
        l.y2 = l.y1;
    } else {
        l.x1 = right.x1 - width;
        l.y1 = right.y1;
        l.y2 = l.y1;
        l.x2 = l.x1 + width;
    }
    if (v.No_Partition == 1) v.Y_Premiere_Partition = chart::roundCoordinate(l.y1);
    ++v.Ligne_Suivante;
    if (period != Period::Year) v.Date_Affichee = v.Date_Affichee.addDays(-1);
}

// Where the first segment of a drawing meets the right edge. After a move
// back it continues the previous drawing's curve; otherwise it runs towards
// the earliest test after the period, or stays flat when none lies to the
// right. The same rule holds whether or not the scrollbar stands at today.
float firstSegmentRightEnd(Chart& w, float y1) {
    ChartState& v = w.view;
    if (v.Sens_Curseur == 1) {
        if (v.Pas_Curseur <= -2 && chart::checkedPeriod(w) != Period::Year)
            v.Y_Premiere_Partition = v.Y_Derniere_Partition;
        return static_cast<float>(v.Y_Premiere_Partition);
    }
    if (chart::showsToday(w) || chart::dayAt(w.journal, 1) <= v.Date_Affichee.day()) return y1;
    return chart::levelY(levelOf(w.journal, std::max(v.Index_Test, 1)), w.settings.Facteur_Unite);
}

}  // namespace

// Walks the journal from the record after Index_Test, newest first, one
// partition at a time from the right edge. Date_Affichee is the running date
// of the partition being drawn and moves back as the walk goes.
void Chart::Graphiques() {
    if (journal.Nb_Tests == 0) return;
    Resume_Reset();
    if (view.Index_Test == journal.Nb_Tests) view.Index_Test = 0;
    view.No_Partition = 1;
    const int32_t count = view.Nb_Partitions;
    const Period period = chart::checkedPeriod(*this);

    while (view.No_Partition <= count && view.Index_Test != journal.Nb_Tests) {
        switch (period) {
            case Period::Week:
                alignOnDay(*this);
                break;
            case Period::Month:
                alignOnMonth(*this);
                break;
            case Period::Year:
                alignOnMonthNumber(*this);
                break;
        }
        if (nextTestDay(*this) == view.Date_Affichee.day()) {
            Qte_Test_Par_Partition();
            Test_Du_Jour();
        } else {
            drawBridge(*this, period);
        }
        ++view.No_Partition;
    }

    showSummaryCounts();
    view.Y_Derniere_Partition = chart::roundCoordinate(lineAt(*this, view.Ligne_Suivante - 1).y1);
    if (view.No_Partition - 1 != count) view.Partitions_Restantes = count - (view.No_Partition - 1);

    if (chart::showsToday(*this)) {
        // In the year view the today button keeps its state: the moves and
        // the period switch of that view disable it themselves.
        if (period != Period::Year) Bout_Auj.enabled = false;
        chart::readBackDate(*this);
    }
}

// One yellow segment per test of the partition, sharing its width equally,
// newest first; the first segment of a drawing also decides how the curve
// meets the right edge.
void Chart::Test_Du_Jour() {
    const double step = static_cast<double>(view.Largeur_Partition) / view.Qte_Tests_Partition;
    const int32_t count = view.Qte_Tests_Partition;
    if (count > 0) {
        int32_t from = 0;
        if (view.Ligne_Suivante == 1) {
            drawFirstSegment(step);
            from = 1;
        }
        if (from < count) drawSegmentChain(from, count, step);
        view.Compteur = count;
    }
    view.Date_Affichee = view.Date_Affichee.addDays(-1);
    const Line& last = lineAt(*this, view.Ligne_Suivante - 1);
    if (view.No_Partition == 1) view.Y_Premiere_Partition = chart::roundCoordinate(last.y1);
    if (view.No_Partition == view.Nb_Partitions)
        view.Y_Derniere_Partition = chart::roundCoordinate(last.y1);
}

// The segment at the right edge: its level shows in the level display, and
// its right end meets the edge as firstSegmentRightEnd says.
void Chart::drawFirstSegment(double step) {
    view.Compteur = 0;
    const double level = levelOf(journal, view.Index_Test + 1);
    Line& l = loadLigne(1);
    l.color = colour::kYellow;
    l.width = view.Epaisseur_Ligne;
    l.visible = true;
    l.x1 = static_cast<float>(chart::kRightEdge - step);
    l.y1 = chart::levelY(level, settings.Facteur_Unite);
    l.x2 = chart::kRightEdge;
    l.y2 = firstSegmentRightEnd(*this, l.y1);
    host_.Afficher_Taux();
    ++view.Index_Test;
    ++view.Ligne_Suivante;
    Resume_Semaine(levelBand(level, settings.Unite));
}

// Segments from..count-1 of the partition, each ending where the one to its
// right begins, its left end the right end less the step in single precision.
void Chart::drawSegmentChain(int32_t from, int32_t count, double step) {
    const auto segments = static_cast<size_t>(count - from);
    const auto firstTest = static_cast<size_t>(view.Index_Test + 1);
    const BandLimits bands = bandLimits(settings.Unite);
    std::array<int32_t, 4> testsInBand{};  // indexed by Band
    const Line right = lineAt(*this, view.Ligne_Suivante - 1);
    float rightX = right.x1;
    float rightY = right.y1;
    const Line yellow{0, 0, 0, 0, colour::kYellow, view.Epaisseur_Ligne, true};
    Ligne.loadRun(static_cast<size_t>(view.Ligne_Suivante), segments, yellow, [&](size_t k) {
        const double level = journal.levelNumber[firstTest + k];
        ++testsInBand[static_cast<size_t>(bands.of(level))];
        const LineArray::Ends ends{static_cast<float>(rightX - step),
                                   chart::levelYWhole(level, settings.Facteur_Unite), rightX,
                                   rightY};
        rightX = ends.x1;
        rightY = ends.y1;
        return ends;
    });
    for (const Band band : {Band::None, Band::Optimal, Band::Suboptimal, Band::Compromise})
        Resume_Semaine(band, testsInBand[static_cast<size_t>(band)]);
    view.Index_Test += count - from;
    view.Ligne_Suivante += count - from;
}

}  // namespace dx
