// The workflow screens' costs on a 6000 × 4000 photo: every effect of the effects library at
// intensity 50 on the full photo, and the interactions that must repaint quickly (an Edit
// preview on the display copy, a frame placement step, a crop drag with the lightened view).

#include "BenchPhoto.h"

#include "editing/workflow/EffectsLibrary.h"
#include "editing/workflow/WorkflowState.h"
#include "image/Allocator.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace gp;

// The window area the screens get on a common display.
constexpr Size kWindow { 1000, 700 };

SilentHost host;
Allocator allocator(host);

const EffectsLibrary& library()
{
    static std::optional<EffectsLibrary> loaded
        = EffectsLibrary::open(std::filesystem::path(GLIMMER_BUILD_LIBDIR) / "libglimmer-effect.so");
    if (!loaded)
        std::abort();
    return *loaded;
}

void fullPhotoEffect(benchmark::State& state)
{
    const int effect = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(library().apply(effect, bench::photo(), 50, allocator));
    for (const auto& entry : library().effects())
        if (entry.number == effect)
            state.SetLabel(entry.name);
}
BENCHMARK(fullPhotoEffect)->DenseRange(1, 18)->Unit(benchmark::kMillisecond);

std::shared_ptr<const Image> sharedPhoto()
{
    static auto photo = std::make_shared<const Image>(bench::photo().clone());
    return photo;
}

void editPreview(benchmark::State& state)
{
    WorkflowState workflow;
    workflow.start(sharedPhoto(), kWindow, allocator);
    int effect = 1;
    for (auto _ : state) {
        workflow.edit.choose(effect, workflow.displayCopy(), library(), allocator);
        effect = effect % 18 + 1;
    }
}
BENCHMARK(editPreview)->Unit(benchmark::kMillisecond);

// A frame of the shipped kind: a picture with a window three quarters its size.
FrameArtwork artwork()
{
    Image picture = Image::create(1800, 1200, 24).value();
    Image mask = Image::create(1350, 900, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        mask.setColor(i, { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (auto& v : mask.pixels())
        v = 255;
    return { std::move(picture), std::move(mask), OffsetTable::parse("225 150,") };
}

void framePlacementStep(benchmark::State& state)
{
    WorkflowState workflow;
    workflow.start(sharedPhoto(), kWindow, allocator);
    workflow.frame.choose(artwork(), 0, *sharedPhoto(), kWindow, allocator);
    int step = 0;
    for (auto _ : state) {
        workflow.frame.command(step++ % 2 ? PlacementCommand::RotateLeft : PlacementCommand::MoveRight);
        benchmark::DoNotOptimize(workflow.frame.preview(workflow.displayCopy(), allocator));
    }
}
BENCHMARK(framePlacementStep)->Unit(benchmark::kMillisecond);

void cropDragStep(benchmark::State& state)
{
    WorkflowState workflow;
    workflow.start(sharedPhoto(), kWindow, allocator);
    workflow.crop.setProportion("4 x 6", 4000, 6000);
    const Rect shown = workflow.displayRect();
    int step = 0;
    for (auto _ : state) {
        workflow.crop.drag(CropHandle::Inside, step % 2 ? 3 : -3, step % 2 ? -2 : 2);
        ++step;
        const Rect r = workflow.crop.rect();
        benchmark::DoNotOptimize(lightenOutside(workflow.displayCopy(),
            { r.left - shown.left, r.top - shown.top, r.right - shown.left, r.bottom - shown.top }, allocator));
    }
}
BENCHMARK(cropDragStep)->Unit(benchmark::kMillisecond);

void frameFullResult(benchmark::State& state)
{
    WorkflowState workflow;
    workflow.start(sharedPhoto(), kWindow, allocator);
    workflow.frame.choose(artwork(), 0, *sharedPhoto(), kWindow, allocator);
    for (int i = 0; i < 500; ++i)
        workflow.frame.command(PlacementCommand(17 + i % 8));
    for (auto _ : state)
        benchmark::DoNotOptimize(workflow.frame.result(*sharedPhoto(), allocator));
}
BENCHMARK(frameFullResult)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
