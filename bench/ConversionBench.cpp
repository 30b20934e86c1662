// Each colour-mode conversion of a 6000 × 4000 photo.

#include "BenchPhoto.h"
#include "image/ColorConversion.h"
#include "image/Widen.h"

#include <benchmark/benchmark.h>

using namespace gp;

namespace {

template <typename Convert> void run(benchmark::State& state, Convert convert)
{
    SilentHost host;
    const Allocator allocator(host);
    const Image& source = bench::photo();
    for (auto _ : state) {
        auto result = convert(source, allocator);
        benchmark::DoNotOptimize(result->pixels().data());
    }
}

void toGray(benchmark::State& state)
{
    run(state, [](const Image& s, const Allocator& a) { return convertToGray(s, a, nullptr); });
}
void toBlackWhite(benchmark::State& state)
{
    run(state, [](const Image& s, const Allocator& a) { return convertToBlackWhite(s, a, nullptr); });
}
void to16Colors(benchmark::State& state)
{
    run(state, [](const Image& s, const Allocator& a) { return convertTo16Colors(s, a, nullptr); });
}
void to256Colors(benchmark::State& state)
{
    const auto mapping = static_cast<PaletteMapping>(state.range(0));
    run(state, [mapping](const Image& s, const Allocator& a) { return convertTo256Colors(s, mapping, a, nullptr); });
}
void widenGray(benchmark::State& state)
{
    SilentHost host;
    const Allocator allocator(host);
    const Image gray = std::move(*convertToGray(bench::photo(), allocator, nullptr));
    for (auto _ : state) {
        auto wide = widenTo24(gray, allocator);
        benchmark::DoNotOptimize(wide->pixels().data());
    }
}

} // namespace

BENCHMARK(toGray)->Unit(benchmark::kMillisecond);
BENCHMARK(toBlackWhite)->Unit(benchmark::kMillisecond);
BENCHMARK(to16Colors)->Unit(benchmark::kMillisecond);
BENCHMARK(to256Colors)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(widenGray)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
