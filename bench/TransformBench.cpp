// Speed of the pixel operations on a 6000 × 4000 24-bit photo: flips and quarter turns next to a
// plain copy of the same bytes, any-angle rotation and resampling, and the filters and
// adjustments, and Melting (intensity 50) drawn from the classic generator, on that photo and on
// a busy one; the last argument of the split operations is the number of threads.

#include "editing/effects/Blur.h"
#include "editing/effects/Melting.h"
#include "editing/effects/Sharpen.h"
#include "editing/tone/BrightnessContrast.h"
#include "editing/tone/HueSaturation.h"
#include "editing/transform/Flip.h"
#include "editing/transform/QuarterTurn.h"
#include "editing/transform/Resample.h"
#include "editing/ResultImage.h"
#include "editing/transform/Rotate.h"
#include "shell/SilentHost.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

gp::SilentHost host(gp::Answer::No);
const gp::Allocator allocator(host);

// A smooth picture with some noise, like a photo as far as the memory traffic goes.
const gp::Image& photo()
{
    static const gp::Image image = [] {
        gp::Image made = gp::Image::create(6000, 4000, 24).value();
        std::mt19937 random(1);
        for (int y = 0; y < made.height(); ++y) {
            std::uint8_t* row = made.row(y);
            for (int x = 0; x < made.width(); ++x) {
                row[3 * x] = std::uint8_t(x / 24 + random() % 8);
                row[3 * x + 1] = std::uint8_t(y / 16 + random() % 8);
                row[3 * x + 2] = std::uint8_t((x + y) / 40);
            }
        }
        return made;
    }();
    return image;
}

void plainCopy(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::duplicate(photo(), allocator));
}

void flipHorizontal(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::flipHorizontal(photo(), allocator));
}

void flipVertical(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::flipVertical(photo(), allocator));
}

void quarterTurn(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::rotateQuarterTurns(photo(), int(state.range(0)), allocator));
}

void anyAngle(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::rotateByAngle(photo(), int(state.range(0)), gp::Rgb { 255, 255, 255 }, allocator));
}

void resample(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::resample(photo(), int(state.range(0)), int(state.range(1)), 96, allocator));
}

// One pool for each thread count asked for, kept for the whole run.
gp::WorkerPool* pool(int threads)
{
    static std::unique_ptr<gp::WorkerPool> pools[3];
    auto& slot = pools[std::min(threads, 2)];
    if (!slot)
        slot = std::make_unique<gp::WorkerPool>(threads);
    return slot.get();
}

void anyAngleSplit(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::rotateByAngle(photo(), int(state.range(0)), gp::Rgb { 255, 255, 255 }, allocator,
            gp::RotationSubject::Picture, pool(int(state.range(1)))));
}

void resampleSplit(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::resample(photo(), int(state.range(0)), int(state.range(1)), 96, allocator,
            gp::Interrupt::ByEscape, pool(int(state.range(2)))));
}

gp::FilterRun quietRun(int threads)
{
    return { allocator, host, false, nullptr, pool(threads) };
}

void blur(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::blur(photo(), int(state.range(0)), quietRun(int(state.range(1)))));
}

void blurTwoPass(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::blurTwoPass(photo(), int(state.range(0)), quietRun(1)));
}

void sharpen(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::sharpen(photo(), 3, 50, 0, quietRun(int(state.range(0)))));
}

void brightness(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            gp::brightnessContrast(photo(), gp::ToneChannel::All, 20, 20, quietRun(int(state.range(0)))));
}

void hueSaturation(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::hueSaturation(photo(), 30, 20, quietRun(int(state.range(0)))));
}

void flipSplit(benchmark::State& state)
{
    photo();
    for (auto _ : state)
        benchmark::DoNotOptimize(state.range(0) == 0
                ? gp::flipHorizontal(photo(), allocator, gp::Interrupt::ByEscape, pool(int(state.range(1))))
                : gp::flipVertical(photo(), allocator, gp::Interrupt::ByEscape, pool(int(state.range(1)))));
}

void melting(benchmark::State& state)
{
    photo();
    for (auto _ : state) {
        gp::ClassicRandom random;
        benchmark::DoNotOptimize(gp::melting(photo(), 50, random, quietRun(int(state.range(0)))));
    }
}

// A picture whose every byte is drawn at random: most drops stop within a row or two, so the
// gathering of the strips weighs more than the walks.
const gp::Image& busyPhoto()
{
    static const gp::Image image = [] {
        gp::Image made = gp::Image::create(6000, 4000, 24).value();
        std::mt19937 random(2);
        for (std::uint8_t& byte : made.pixels())
            byte = std::uint8_t(random());
        return made;
    }();
    return image;
}

void meltingBusy(benchmark::State& state)
{
    busyPhoto();
    for (auto _ : state) {
        gp::ClassicRandom random;
        benchmark::DoNotOptimize(gp::melting(busyPhoto(), 50, random, quietRun(int(state.range(0)))));
    }
}

void meltingPlain(benchmark::State& state)
{
    photo();
    for (auto _ : state) {
        gp::ClassicRandom random;
        benchmark::DoNotOptimize(gp::meltingPlain(photo(), 50, random, quietRun(1)));
    }
}

} // namespace

BENCHMARK(plainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(flipHorizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(flipVertical)->Unit(benchmark::kMillisecond);
BENCHMARK(quarterTurn)->Arg(90)->Arg(180)->Arg(270)->Unit(benchmark::kMillisecond);
BENCHMARK(anyAngle)->Arg(33)->Unit(benchmark::kMillisecond);
BENCHMARK(resample)->Args({ 3000, 2000 })->Args({ 9000, 6000 })->Unit(benchmark::kMillisecond);

BENCHMARK(anyAngleSplit)->Args({ 33, 1 })->Args({ 33, 2 })->Unit(benchmark::kMillisecond);
BENCHMARK(resampleSplit)->Args({ 3000, 2000, 1 })->Args({ 3000, 2000, 2 })->Unit(benchmark::kMillisecond);
BENCHMARK(blur)->Args({ 5, 1 })->Args({ 5, 2 })->Args({ 10, 1 })->Args({ 10, 2 })->Unit(benchmark::kMillisecond);
BENCHMARK(blurTwoPass)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(sharpen)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(brightness)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(hueSaturation)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(flipSplit)->Args({ 0, 1 })->Args({ 0, 2 })->Args({ 1, 1 })->Args({ 1, 2 })->Unit(benchmark::kMillisecond);
BENCHMARK(melting)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(meltingBusy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(meltingPlain)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
