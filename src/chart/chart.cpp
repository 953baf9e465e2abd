#include "chart/chart.h"

#include "chart/chart_walk.h"
#include "journal/calendar.h"

namespace dx {

Chart::Chart(const ChartControls& controls, const ChartReads& reads, ChartHost& host)
    : ChartControls(controls),
      journal(reads.journal),
      settings(reads.settings),
      locale(reads.locale),
      host_(host) {}

// Redraws the chart and puts it back on today.
void Chart::Re_Executer() {
    Mois_Sem();
    chart::setCursorQuietly(*this, chart::kToday);
    Bout_Auj_Click();
}

// The length of the year next to the date, from the oldest test held.
int Chart::Qte_Jrs_Annee(DateTime La_Date) const {
    std::optional<DateTime> oldest;
    if (const auto day = chart::oldestDay(journal)) oldest = DateTime::fromDays(*day);
    return yearLengthNextTo(La_Date, view.Sens_Curseur, oldest);
}

Line& Chart::loadLigne(int index) {
    Line copy = Ligne.templ();
    copy.visible = false;
    return Ligne.load(static_cast<size_t>(index), copy);
}

}  // namespace dx
