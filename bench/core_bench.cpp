// Timings of the colour core: each conversion, the panel's round trips and
// the panel computation, plus one sweep of every RGB colour through each
// round trip. Run build/native/bench/core_bench; docs/performance.md keeps
// the figures.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "color/conversions.h"
#include "panel/panel_view.h"

namespace {

struct Triple {
    int a, b, c;
};

using Conversion = void (*)(int, int, int, int&, int&, int&);

// A fixed spread of inputs, so that every hue sector and both lightness
// branches are timed and the compiler cannot fold a constant input away.
// maxA is 359 for hue-first triples, 255 otherwise.
std::vector<Triple> Inputs(int maxA)
{
    std::vector<Triple> inputs(4096);
    std::uint32_t seed = 12345;
    auto next = [&seed](int max) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(max + 1));
    };
    for (Triple& t : inputs)
        t = {next(maxA), next(255), next(255)};
    return inputs;
}

void RunConversion(benchmark::State& state, Conversion f, int maxA)
{
    const std::vector<Triple> inputs = Inputs(maxA);
    std::size_t i = 0;
    int x, y, z;
    for (auto _ : state) {
        const Triple& t = inputs[i++ & 4095];
        f(t.a, t.b, t.c, x, y, z);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(z);
    }
    state.SetItemsProcessed(state.iterations());
}

void RunRoundTrip(benchmark::State& state, Conversion into, Conversion back)
{
    const std::vector<Triple> inputs = Inputs(255);
    std::size_t i = 0;
    int x, y, z;
    for (auto _ : state) {
        const Triple& t = inputs[i++ & 4095];
        into(t.a, t.b, t.c, x, y, z);
        back(x, y, z, x, y, z);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(z);
    }
    state.SetItemsProcessed(state.iterations());
}

// One pass over all 16,777,216 colours; the checksum keeps every result live.
void RunSweep(benchmark::State& state, Conversion into, Conversion back)
{
    for (auto _ : state) {
        std::uint32_t unchanged = 0;
        for (int r = 0; r < 256; ++r) {
            for (int g = 0; g < 256; ++g) {
                for (int b = 0; b < 256; ++b) {
                    int x, y, z;
                    into(r, g, b, x, y, z);
                    back(x, y, z, x, y, z);
                    unchanged += x == r && y == g && z == b;
                }
            }
        }
        benchmark::DoNotOptimize(unchanged);
    }
    state.SetItemsProcessed(state.iterations() * (int64_t{1} << 24));
}

void BM_RgbToHsv(benchmark::State& state) { RunConversion(state, RgbToHsv, 255); }
void BM_HsvToRgb(benchmark::State& state) { RunConversion(state, HsvToRgb, 359); }
void BM_RgbToHls(benchmark::State& state) { RunConversion(state, RgbToHls, 255); }
void BM_HlsToRgb(benchmark::State& state) { RunConversion(state, HlsToRgb, 359); }
void BM_RgbToYmc(benchmark::State& state) { RunConversion(state, RgbToYmc, 255); }
void BM_YmcToRgb(benchmark::State& state) { RunConversion(state, YmcToRgb, 255); }
void BM_RoundTripHsv(benchmark::State& state) { RunRoundTrip(state, RgbToHsv, HsvToRgb); }
void BM_RoundTripHls(benchmark::State& state) { RunRoundTrip(state, RgbToHls, HlsToRgb); }
void BM_SweepAllRgbHsv(benchmark::State& state) { RunSweep(state, RgbToHsv, HsvToRgb); }
void BM_SweepAllRgbHls(benchmark::State& state) { RunSweep(state, RgbToHls, HlsToRgb); }

// The whole panel computation for a picked colour (fromSliders false), the
// path of every mouse move during capture; argument: the format.
void BM_ComputePanelView(benchmark::State& state)
{
    const ColorFormat format = static_cast<ColorFormat>(state.range(0));
    const std::vector<Triple> inputs = Inputs(255);
    std::size_t i = 0;
    for (auto _ : state) {
        const Triple& t = inputs[i++ & 4095];
        PanelView view = ComputePanelView(t.a, t.b, t.c, false, format);
        benchmark::DoNotOptimize(view);
    }
    state.SetItemsProcessed(state.iterations());
    static const char* const kNames[] = {"RGB", "HSV", "HLS", "YMC"};
    state.SetLabel(kNames[format]);
}

} // namespace

BENCHMARK(BM_RgbToHsv);
BENCHMARK(BM_HsvToRgb);
BENCHMARK(BM_RgbToHls);
BENCHMARK(BM_HlsToRgb);
BENCHMARK(BM_RgbToYmc);
BENCHMARK(BM_YmcToRgb);
BENCHMARK(BM_RoundTripHsv);
BENCHMARK(BM_RoundTripHls);
BENCHMARK(BM_ComputePanelView)->DenseRange(FORMAT_RGB, FORMAT_YMC);
BENCHMARK(BM_SweepAllRgbHsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepAllRgbHls)->Unit(benchmark::kMillisecond);
