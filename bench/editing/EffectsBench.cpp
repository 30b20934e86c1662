// Speed of the adjustments, filters and effects on a 6000 × 4000 24-bit photo-sized image,
// single-threaded, next to a plain copy of the same bytes into a new image (the floor for every
// table-driven adjustment).

#include "BenchPhoto.h"
#include "editing/tone/BrightnessContrast.h"
#include "editing/effects/FilterCommands.h"
#include "editing/tone/HueSaturation.h"
#include "editing/tone/ToneCurve.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace gp {
namespace {

const Image& photo()
{
    return bench::texturedPhoto();
}

struct Fixture {
    SilentHost host;
    Allocator allocator { host };
    FilterRun run { allocator, host, true }; // progress and the Escape test, as the command runs
    ClassicRandom random;
    EffectInputs inputs { random, Rgb { 255, 255, 255 } };
};

void byteCopy(benchmark::State& state)
{
    Fixture f;
    const Image& source = photo();
    for (auto _ : state) {
        auto copy = f.allocator.image(source.width(), source.height(), 24);
        std::memcpy(copy->pixels().data(), source.pixels().data(), source.imageSize());
        benchmark::DoNotOptimize(copy->pixels().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * source.imageSize());
}

void brightnessContrastAll(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(brightnessContrast(photo(), ToneChannel::All, 20, 30, f.run));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * photo().imageSize());
}

void toneAll(benchmark::State& state)
{
    Fixture f;
    const LevelTable curve = toneCurve(20, -30, 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(applyTone(photo(), ToneChannel::All, curve, f.run));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * photo().imageSize());
}

void hueSaturationTurn(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(hueSaturation(photo(), 40, 25, f.run));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * photo().imageSize());
}

// Blur, Sharpen and each effect through the command table, at the intensity of the argument.
void filterCommand(benchmark::State& state, int command)
{
    Fixture f;
    const int intensity = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(runFilterCommand(command, photo(), intensity, f.inputs, f.run));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * photo().imageSize());
}

const char* const kEffectNames[]
    = { "Painting", "Sketch", "FilmGrain", "Splash", "Melting", "Ripple", "Wrinkle", "Grid3d", "Mosaic", "Emboss",
          "MotionBlur", "Fisheye", "Cone", "Sphere", "Whirlpool", "Spiral", "Cylinder", "Ribbon" };

void registerAll()
{
    const auto heavy
        = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5); };
    heavy(benchmark::RegisterBenchmark("ByteCopy", byteCopy));
    heavy(benchmark::RegisterBenchmark("BrightnessContrast", brightnessContrastAll));
    heavy(benchmark::RegisterBenchmark("Tone", toneAll));
    heavy(benchmark::RegisterBenchmark("HueSaturation", hueSaturationTurn));
    heavy(benchmark::RegisterBenchmark("Blur", filterCommand, 253)->Arg(50)->Arg(100));
    heavy(benchmark::RegisterBenchmark("Sharpen", filterCommand, 254)->Arg(50));
    for (int i = 0; i < kEffectCount; ++i)
        heavy(benchmark::RegisterBenchmark(kEffectNames[i], filterCommand, 300 + i)->Arg(75));
}

} // namespace
} // namespace gp

int main(int argc, char** argv)
{
    gp::photo();
    gp::registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
