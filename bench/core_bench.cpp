#include <benchmark/benchmark.h>

#include "color/conversions.h"

static void BM_RgbToHsv(benchmark::State& state)
{
    int h, s, v;
    for (auto _ : state) {
        RgbToHsv(200, 100, 50, h, s, v);
        benchmark::DoNotOptimize(h);
    }
}
BENCHMARK(BM_RgbToHsv);
