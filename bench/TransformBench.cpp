// Speed of the geometric transforms on a 6000 × 4000 24-bit photo: flips and quarter turns next
// to a plain copy of the same bytes, any-angle rotation and resampling.

#include "editing/transform/Flip.h"
#include "editing/transform/QuarterTurn.h"
#include "editing/transform/Resample.h"
#include "editing/ResultImage.h"
#include "editing/transform/Rotate.h"
#include "shell/Host.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

class QuietHost final : public gp::Host {
public:
    void message(std::string_view, std::string_view, gp::Icon) override { }
    gp::Answer ask(std::string_view, std::string_view, gp::Buttons, gp::Icon) override { return gp::Answer::No; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(gp::StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

QuietHost host;
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

} // namespace

BENCHMARK(plainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(flipHorizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(flipVertical)->Unit(benchmark::kMillisecond);
BENCHMARK(quarterTurn)->Arg(90)->Arg(180)->Arg(270)->Unit(benchmark::kMillisecond);
BENCHMARK(anyAngle)->Arg(33)->Unit(benchmark::kMillisecond);
BENCHMARK(resample)->Args({ 3000, 2000 })->Args({ 9000, 6000 })->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
