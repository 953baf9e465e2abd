#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../tools/replay/scripted_platform.h"
#include "window/fenetre.h"

namespace {

// A window started on a full journal: 5000 tests, four a day, the newest
// today (Saturday 8 January 2000), so the oldest lies 1250 days back.
struct FullJournal {
    std::string dir;
    dx::ScriptedPlatform sp;
    std::unique_ptr<dx::Fenetre> w;

    FullJournal() {
        char pattern[] = "/tmp/dextrel-bench-XXXXXX";
        dir = mkdtemp(pattern);
        sp.env.program = dir + "/";
        sp.env.settings = dir + "/";
        const int64_t today = dx::DateTime::fromParts(2000, 1, 8).day();
        std::ofstream out(dir + "/Diabete.glc", std::ios::binary);
        for (int i = 0; i < dx::kMaxTests; ++i) {
            const std::string date = dx::DateTime::fromDays(today - i / 4).iso();
            const std::string level = std::to_string(4 + i % 9) + ".5";
            out << '"' << date << "\",\"10:00\",\"" << (level.size() < 4 ? "0" : "") << level
                << "\",\"\"\r\n";
        }
        out.close();
        w = std::make_unique<dx::Fenetre>(sp.platform);
        w->start();
    }
    ~FullJournal() {
        w.reset();
        std::filesystem::remove_all(dir);
    }

    // A redraw of the week view ending at `anchor`, as a move would start it.
    void redrawWeek(dx::DateTime anchor) {
        w->Aff_Date.caption = w->dateText(anchor);
        w->view.Date_Affichee = anchor;
        w->view.Index_Test = 0;
        w->chart.Mois_Sem();
    }
};

void BM_WeekRedrawAtToday(benchmark::State& state) {
    FullJournal j;
    const dx::DateTime today = j.w->today();
    for (auto _ : state) j.redrawWeek(today);
}
BENCHMARK(BM_WeekRedrawAtToday);

// The walk passes every later test before it reaches the oldest week.
void BM_WeekRedrawAtOldestWeek(benchmark::State& state) {
    FullJournal j;
    const auto oldest = j.w->journal.dayNumber[dx::kMaxTests];
    const dx::DateTime anchor = dx::DateTime::fromDays(oldest + 6);
    for (auto _ : state) j.redrawWeek(anchor);
}
BENCHMARK(BM_WeekRedrawAtOldestWeek);

// One arrow click back and one forward in the week view, each a redraw.
void BM_WeekScrollStep(benchmark::State& state) {
    FullJournal j;
    for (auto _ : state) {
        j.w->userScroll(32766);
        j.w->userScroll(32767);
    }
}
BENCHMARK(BM_WeekScrollStep);

// One arrow click back (a month) and one forward in the year view.
void BM_YearScrollStep(benchmark::State& state) {
    FullJournal j;
    j.w->click("Menu_Annee");
    for (auto _ : state) {
        j.w->userScroll(32767 - j.w->Curseur.smallChange);
        j.w->userScroll(32767);
    }
}
BENCHMARK(BM_YearScrollStep);

}  // namespace
