#include "window/report_commands.h"

#include "chart/chart_walk.h"
#include "window/entry_rules.h"
#include "window/fenetre.h"
#include "window/window_texts.h"

namespace dx::report {

bool reportAvailable(const Fenetre& w) {
    return !w.Cadre_Ajouter.visible && w.meter.Mode_Calibration == 0 && w.meter.Mode_Analyse == 0 &&
           w.meter.Analyse_En_Cours == 0;
}

// The week view shows the seven days ending on the date of Aff_Date, the
// month view its month from day 1 to that date, the year view the year
// ending on it.
DayRange periodOnShow(const Fenetre& w) {
    const DateTime shown = chart::shownDate(w.chart);
    const int64_t last = shown.day();
    switch (chart::checkedPeriod(w.chart)) {
        case chart::Period::Week:
            return {last - 6, last};
        case chart::Period::Month:
            return {last - shown.dayOfMonth() + 1, last};
        case chart::Period::Year:
            break;
    }
    return {last - w.chart.Qte_Jrs_Annee(shown) + 1, last};
}

std::vector<Test> journalTests(const Fenetre& w) {
    return testsOf(w.journal, w.win.Format_Date_Courte);
}

LogbookContext logbookContext(Fenetre& w) {
    const int16_t unite = w.settings.Unite;
    return {.journal = w.journal,
            .unite = unite,
            .langue = w.settings.Langue,
            .levelRefusal = {false, window_text::kCheckTitle,
                             levelRefusalText(w.Aff_Dial_Taux.caption, unite)},
            .changed = [&w] { w.journalChanged(); }};
}

Outcome applyImport(Fenetre& w, const ImportPlan& plan) {
    return applyImport(logbookContext(w), plan);
}

}  // namespace dx::report
