#include <benchmark/benchmark.h>

#include "settings/numbers.h"

// The leading number of a level text is read for every test a drawing
// passes; the baseline is a plain strtod of the same text.
static void BM_LeadingNumber(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(dx::leadingNumber("05.6"));
}
BENCHMARK(BM_LeadingNumber);

static void BM_Strtod(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(std::strtod("05.6", nullptr));
}
BENCHMARK(BM_Strtod);
