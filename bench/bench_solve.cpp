// How fast the core solves a design.
#include "calc/design.h"
#include "calc/trap.h"

#include <benchmark/benchmark.h>

static void SolveDesign(benchmark::State& state, double formdiam, double coaxdiam, double capunit,
                        bool metric) {
    g_design.frequency = 7.055;
    g_design.formdiam = formdiam;
    g_design.coaxdiam = coaxdiam;
    g_design.capunit = capunit;
    g_design.metric = metric;
    for (auto _ : state) {
        SolveTrap();
        benchmark::DoNotOptimize(g_results.turns[0]);
    }
}

static void BM_SolveTrapDefaults(benchmark::State& state) {
    SolveDesign(state, 1.625, 0.195, 29.667, false);
}
BENCHMARK(BM_SolveTrapDefaults);

static void BM_SolveTrapMetric(benchmark::State& state) {
    SolveDesign(state, 4.1275, 0.4953, 97.332677164965, true);
}
BENCHMARK(BM_SolveTrapMetric);
