// The editing dialogs' Before and After previews of a 6000 × 4000 photo, as the dialogs run them:
// opening the preview (the copy of the photo and its fitted sample), leaving Pan Mode, dragging
// the Pan Mode crop, and each dialog's After computation on the sample, at density 1 and at
// density 2 (a screen scaled by 2, where the samples have twice the pixels each way). Previews
// run on the calling thread alone here, the worst case. The Tone dialog's histogram and Auto
// read the whole photo and are measured too.

#include "BenchPhoto.h"
#include "editing/PreviewSession.h"
#include "editing/effects/FilterDialogs.h"
#include "editing/tone/AdjustmentDialogs.h"
#include "editing/tone/ToneCurve.h"
#include "image/Allocator.h"
#include "shell/CommandIds.h"

#include <benchmark/benchmark.h>

#include <string>

namespace gp {
namespace {

// The preview windows' client size in window pixels.
constexpr Size kClient { 208, 208 };


const Image& photo()
{
    return bench::texturedPhoto();
}

struct Fixture {
    SilentHost host;
    Allocator allocator { host };
    FilterRun quiet { allocator, host, false }; // as the dialogs run their previews
    ClassicRandom random;
    EffectInputs inputs { random, Rgb { 255, 255, 255 } };
};

// The fitted sample a dialog computes its After picture from.
const Image& sample(int density)
{
    static Fixture f;
    static PreviewSession sessions[2];
    PreviewSession& session = sessions[density - 1];
    if (!session.before())
        session.open(photo(), kClient, f.allocator, density);
    return *session.before();
}

// The copy of the photo the editing commands hand to their dialog (the active picture, so the
// dialog's work cannot touch the document), before the preview opens.
void copyOfThePhoto(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(photo().clone());
}
BENCHMARK(copyOfThePhoto)->Unit(benchmark::kMillisecond);

void openPreview(benchmark::State& state)
{
    Fixture f;
    const int density = int(state.range(0));
    for (auto _ : state) {
        PreviewSession session;
        benchmark::DoNotOptimize(session.open(photo(), kClient, f.allocator, density));
    }
}
BENCHMARK(openPreview)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void leavePanMode(benchmark::State& state)
{
    Fixture f;
    PreviewSession session;
    session.open(photo(), kClient, f.allocator, int(state.range(0)));
    for (auto _ : state) {
        session.setPanMode(true);
        benchmark::DoNotOptimize(session.setPanMode(false));
    }
}
BENCHMARK(leavePanMode)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void dragPanCrop(benchmark::State& state)
{
    Fixture f;
    PreviewSession session;
    session.open(photo(), kClient, f.allocator, int(state.range(0)));
    session.setPanMode(true);
    int step = 1;
    for (auto _ : state) {
        step = -step;
        benchmark::DoNotOptimize(session.drag(5 * step, 3 * step));
    }
}
BENCHMARK(dragPanCrop)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void brightnessContrastPreview(benchmark::State& state)
{
    Fixture f;
    BrightnessContrastModel model(false);
    model.setBrightnessPosition(128 + 20);
    model.setContrastPosition(128 + 30);
    const Image& in = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(model.compute(in, f.quiet));
}
BENCHMARK(brightnessContrastPreview)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void hueSaturationPreview(benchmark::State& state)
{
    Fixture f;
    HueSaturationModel model;
    model.setHuePosition(180 + 40);
    model.setSaturationPosition(100 + 30);
    const Image& in = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(model.compute(in, f.quiet));
}
BENCHMARK(hueSaturationPreview)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void tonePreview(benchmark::State& state)
{
    Fixture f;
    ToneModel model(false, ToneChannel::All);
    model.setHighlight(20);
    model.setMidtone(-30);
    model.setShadow(10);
    const Image& in = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(model.compute(in, f.quiet));
}
BENCHMARK(tonePreview)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The Tone dialog's histogram and Auto read the whole photo.
void toneHistogramOfThePhoto(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(levelHistogram(photo(), ToneChannel::All));
}
BENCHMARK(toneHistogramOfThePhoto)->Unit(benchmark::kMillisecond);

void toneAutoOfThePhoto(benchmark::State& state)
{
    for (auto _ : state) {
        ToneModel model(false, ToneChannel::All);
        model.autoAdjust(photo());
        benchmark::DoNotOptimize(model.table());
    }
}
BENCHMARK(toneAutoOfThePhoto)->Unit(benchmark::kMillisecond);

// Blur, Sharpen and every effect of the browser, at intensities 50 and 100.
void filterPreview(benchmark::State& state, int command)
{
    Fixture f;
    const FilterDialogModel model(command, int(state.range(1)));
    const Image& in = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(model.compute(in, f.inputs, f.quiet));
}

const bool registered = [] {
    for (int command = command::Blur; command <= command::EffectLast; ++command) {
        if (command > command::Sharpen && command < command::EffectFirst)
            continue;
        if (command == command::EffectBrowser)
            continue;
        const std::string name = "filterPreview/" + std::to_string(command);
        benchmark::RegisterBenchmark(name.c_str(), filterPreview, command)
            ->ArgsProduct({ { 1, 2 }, { 50, 100 } })
            ->ArgNames({ "density", "intensity" })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
} // namespace gp

BENCHMARK_MAIN();
