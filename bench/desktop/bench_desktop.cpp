// The desktop window's first paint, offscreen, on a full journal and on an
// empty one; and, with --peak-rss TESTS, the peak resident memory of a
// process that opens the window on a journal of TESTS tests and paints it.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "../../tools/replay/scripted_platform.h"
#include "../journal_files.h"
#include "desktop/main_window.h"
#include "desktop/report_pdf.h"
#include "report/logbook.h"
#include "window/fenetre.h"
#include "window/report_commands.h"

namespace dx::bench {
namespace {

struct Desktop {
    TempDir dir;
    ScriptedPlatform sp;
    explicit Desktop(int tests) {
        sp.env.program = dir.path + "/";
        sp.env.settings = dir.path + "/";
        writeJournal(dir.path, tests);
    }
    // Opens the window and paints it once, as the program's start does.
    void openAndPaint() {
        auto core = std::make_unique<Fenetre>(sp.platform);
        MainWindow window(*core);
        window.startProgram();
        window.show();
        QImage image = window.grab().toImage();
        benchmark::DoNotOptimize(image.bits());
    }
};

void firstPaint(benchmark::State& state, int tests) {
    Desktop d(tests);
    for (auto _ : state) d.openAndPaint();
}

void BM_DesktopFirstPaint5000(benchmark::State& state) { firstPaint(state, kMaxTests); }
BENCHMARK(BM_DesktopFirstPaint5000)->Unit(benchmark::kMillisecond);

void BM_DesktopFirstPaintEmpty(benchmark::State& state) { firstPaint(state, 0); }
BENCHMARK(BM_DesktopFirstPaintEmpty)->Unit(benchmark::kMillisecond);

// The doctor's report of every test of a full journal, from the tests to
// the PDF file: the profile page alone, or with the list of every test as
// its appendix.
void reportPdf5000(benchmark::State& state, bool withList) {
    Desktop d(kMaxTests);
    auto core = std::make_unique<Fenetre>(d.sp.platform);
    core->start();
    const std::vector<report::Test> tests = report::journalTests(*core);
    const QString path = QString::fromStdString(d.dir.path + "/report.pdf");
    report::ReportOptions options;
    options.withList = withList;
    for (auto _ : state) {
        const report::ReportContent content = report::reportContent(
            tests, report::spanOf(tests), 0, 0, core->win.Format_Date_Courte, options);
        if (!writeReportPdf(content, path, nullptr)) state.SkipWithError("the PDF was not written");
    }
}

void BM_ProfilePdf5000(benchmark::State& state) { reportPdf5000(state, false); }
BENCHMARK(BM_ProfilePdf5000)->Unit(benchmark::kMillisecond);

void BM_ReportPdf5000(benchmark::State& state) { reportPdf5000(state, true); }
BENCHMARK(BM_ReportPdf5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dx::bench

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--peak-rss") == 0) {
        dx::bench::Desktop d(std::atoi(argv[2]));
        d.openAndPaint();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);  // KiB
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
