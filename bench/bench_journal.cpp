// The journal's load, save and the whole start-up, each beside a baseline
// measured in the same run: reading and splitting the same bytes, writing
// the same bytes, starting on an empty journal.

#include <benchmark/benchmark.h>

#include <memory>
#include <string_view>
#include <vector>

#include "../tools/replay/scripted_platform.h"
#include "journal_files.h"
#include "platform/posix/file_store.h"
#include "report/statistics.h"
#include "window/fenetre.h"

namespace dx::bench {
namespace {

struct Bench {
    TempDir dir;
    ScriptedPlatform sp;
    // The program's own file code without the flush to disk, so that the
    // figures measure the program and not the disk.
    PosixFileStore files{PosixFileStore::Flush::No};
    Platform platform{sp.clock, sp.locale, sp.dialogs, sp.env,   files,
                      sp.probe, sp.http,   sp.net,     sp.shell, sp.printer};
    explicit Bench(int tests) {
        sp.env.program = dir.path + "/";
        sp.env.settings = dir.path + "/";
        writeJournal(dir.path, tests);
    }
    std::string journalPath() const { return dir.path + "/Diabete.glc"; }
};

void BM_JournalLoad5000(benchmark::State& state) {
    Bench b(kMaxTests);
    auto w = std::make_unique<Fenetre>(b.platform);
    w->start();
    for (auto _ : state) w->Recuperer();
}
BENCHMARK(BM_JournalLoad5000);

// The statistics dialog's work on a full journal: the tests taken from the
// table, then every figure and the hourly profile.
void BM_Statistics5000(benchmark::State& state) {
    Bench b(kMaxTests);
    auto w = std::make_unique<Fenetre>(b.platform);
    w->start();
    for (auto _ : state) {
        const report::Statistics s =
            report::computeStatistics(report::testsOf(w->journal, w->win.Format_Date_Courte), 0);
        benchmark::DoNotOptimize(s.mean);
    }
}
BENCHMARK(BM_Statistics5000);

void BM_ReadAndSplitLines5000(benchmark::State& state) {
    Bench b(kMaxTests);
    for (auto _ : state) {
        const auto bytes = b.files.read(b.journalPath());
        const std::vector<std::string_view> lines = splitLines(*bytes);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_ReadAndSplitLines5000);

void BM_JournalSave5000(benchmark::State& state) {
    Bench b(kMaxTests);
    auto w = std::make_unique<Fenetre>(b.platform);
    w->start();
    for (auto _ : state) w->Sauvegarder();
}
BENCHMARK(BM_JournalSave5000);

void BM_WriteSameBytes5000(benchmark::State& state) {
    Bench b(kMaxTests);
    const std::string bytes = *b.files.read(b.journalPath());
    const std::string target = b.dir.path + "/copy.glc";
    std::string error;
    for (auto _ : state) b.files.writeAtomic(target, bytes, error);
}
BENCHMARK(BM_WriteSameBytes5000);

}  // namespace
}  // namespace dx::bench
