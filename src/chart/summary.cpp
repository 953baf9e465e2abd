#include <string>

#include "chart/chart.h"
#include "platform/text.h"
#include "settings/numbers.h"
#include "settings/units.h"

namespace dx {

namespace {

const Bilingual kTitle{"Résultats", "Results"};
const Bilingual kCountWord{" résultats", " results"};

int32_t& countOf(ChartState& view, Band band) {
    return view.bandCounts[static_cast<int>(band) - static_cast<int>(Band::Optimal)];
}

}  // namespace

void Chart::Resume_Reset() {
    Cadre_Resultats.caption = pick(kTitle, settings.Langue);
    view.Qte_Resultats = 0;
    for (int32_t& count : view.bandCounts) count = 0;
    Aff_Res_Optim.caption = "";
    Aff_Res_Sub_Optim.caption = "";
    Aff_Res_Compro.caption = "";
}

// Counts tests just drawn (the last one, unless told more) into their band.
void Chart::Resume_Semaine(Band band, int32_t tests) {
    view.Qte_Resultats += tests;
    if (band != Band::None) countOf(view, band) += tests;
}

// The counts of the walk into the summary's captions. A walk that drew no
// test leaves the captions as Resume_Reset left them.
void Chart::showSummaryCounts() {
    if (view.Qte_Resultats == 0) return;
    Aff_Res_Optim.caption = std::to_string(countOf(view, Band::Optimal));
    Aff_Res_Sub_Optim.caption = std::to_string(countOf(view, Band::Suboptimal));
    Aff_Res_Compro.caption = std::to_string(countOf(view, Band::Compromise));
    Cadre_Resultats.caption =
        std::to_string(view.Qte_Resultats) + pick(kCountWord, settings.Langue);
}

}  // namespace dx
