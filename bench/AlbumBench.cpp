// Album thumbnails: making one from a 3000 × 2000 photo in memory, and adding a 3000 × 2000
// JPEG file to an album (reading, decoding and sampling it).

#include "album/AddToAlbum.h"
#include "album/AlbumPhotoReader.h"
#include "album/JpegThumbnail.h"
#include "album/SlideFrame.h"
#include "album/Thumbnail.h"
#include "album/Transition.h"
#include "codecs/WriteImageFile.h"
#include "app/App.h"
#include "app/AppHost.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

class QuietHost : public gp::AppHost {
public:
    void message(std::string_view, std::string_view, gp::Icon) override { }
    gp::Answer ask(std::string_view, std::string_view, gp::Buttons, gp::Icon) override { return gp::Answer::No; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(gp::StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

gp::Image photo(int width, int height)
{
    gp::Image image = std::move(gp::Image::create(width, height, 24)).value();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = image.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = std::uint8_t(x / 12);
            p[1] = std::uint8_t(y / 8);
            p[2] = std::uint8_t((x + y) / 20);
        }
    }
    return image;
}

// A program over a folder of its own in the temporary folder, removed afterwards, and the JPEG
// files the benchmarks add from it.
struct BenchAlbumApp {
    QuietHost host;
    std::filesystem::path dir;
    gp::App app;

    explicit BenchAlbumApp(const std::string& name)
        : dir(std::filesystem::temp_directory_path() / name)
        , app(host, paths(dir))
    {
    }
    ~BenchAlbumApp() { std::filesystem::remove_all(dir); }

    static gp::Paths paths(const std::filesystem::path& dir)
    {
        std::filesystem::create_directories(dir);
        gp::Paths result;
        result.settingsDir = result.programDir = result.dataDir = result.libraryDir = dir;
        return result;
    }

    // The photo's path, or empty when it could not be written.
    std::string writeJpeg(const std::string& name, const gp::Image& image)
    {
        const std::string file = (dir / name).string();
        return gp::writeImageFile(app.imageFiles(), gp::kSaveTypeJpeg, image, file) == gp::WriteResult::Written
            ? file
            : std::string();
    }
};

void makeThumbnailOf3000x2000(benchmark::State& state)
{
    QuietHost host;
    gp::Allocator allocator(host);
    const gp::Image image = photo(3000, 2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::makeThumbnail(image, "/none", allocator));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(makeThumbnailOf3000x2000);

void addJpeg3000x2000ToAlbum(benchmark::State& state)
{
    BenchAlbumApp bench("glimmer-album-bench");
    const std::string file = bench.writeJpeg("photo.jpg", photo(3000, 2000));
    if (file.empty()) {
        state.SkipWithError("cannot write the JPEG file");
        return;
    }
    const gp::AlbumAdder adder { bench.app.allocator(), gp::albumPhotoReader(bench.app.imageFiles()), {} };
    for (auto _ : state) {
        gp::AlbumList album;
        if (gp::addFileToAlbum(album, file, adder) != gp::AddOutcome::Added)
            state.SkipWithError("the photo was not added");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(addJpeg3000x2000ToAlbum)->Unit(benchmark::kMillisecond);

// The finer thumbnail a dense screen's album grid makes of a 6000 × 4000 JPEG (twice the album
// thumbnail's pixels each way, from the rows it samples alone), next to the album's own.
void denseThumbnailOfJpeg6000x4000(benchmark::State& state)
{
    BenchAlbumApp bench("glimmer-album-dense-bench");
    const std::string file = bench.writeJpeg("photo.jpg", photo(6000, 4000));
    if (file.empty()) {
        state.SkipWithError("cannot write the JPEG file");
        return;
    }
    const int density = int(state.range(0));
    for (auto _ : state)
        if (!gp::jpegThumbnail(file, gp::kDefaultBlockCeiling, density))
            state.SkipWithError("no thumbnail");
}
BENCHMARK(denseThumbnailOfJpeg6000x4000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A batch of 20 such files as the Add Thumbnails dialog and the command-line add take them: JPEG
// thumbnails made ahead on state.range(0) worker threads (0: the calling thread reads each file).
void addBatchOf20Jpeg3000x2000(benchmark::State& state)
{
    BenchAlbumApp bench("glimmer-album-batch-bench");
    std::vector<std::string> files;
    const gp::Image image = photo(3000, 2000);
    for (int i = 0; i < 20; ++i) {
        files.push_back(bench.writeJpeg("photo" + std::to_string(i) + ".jpg", image));
        if (files.back().empty()) {
            state.SkipWithError("cannot write the JPEG file");
            return;
        }
    }
    gp::AlbumAdder adder { bench.app.allocator(), gp::albumPhotoReader(bench.app.imageFiles()) };
    adder.prefetchWorkers = int(state.range(0));
    for (auto _ : state) {
        gp::AlbumList album;
        if (gp::addFilesToAlbum(album, files, adder) != 20)
            state.SkipWithError("the photos were not added");
    }
    state.SetItemsProcessed(20 * state.iterations());
}
BENCHMARK(addBatchOf20Jpeg3000x2000)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Paces a transition on the steady clock like the slide-show window, and at every step copies
// what it shows out of the frame as the window does: nothing (0), the whole frame (1) or the
// part the step changed (2). Counts the steps.
class FrameCopyingDriver : public gp::SteadyTransitionDriver {
public:
    FrameCopyingDriver(const gp::Image& frame, gp::ImageSlideCanvas& canvas, int shown)
        : m_frame(&frame)
        , m_canvas(&canvas)
        , m_mode(shown)
        , m_shown(std::size_t(frame.height()) * std::size_t(frame.rowSize()))
    {
    }
    void showStep() override
    {
        ++steps;
        const gp::Rect changed = m_canvas->takeChanged();
        const gp::Rect copied = m_mode == 1 ? gp::Rect { 0, 0, m_frame->width(), m_frame->height() } : changed;
        if (m_mode == 0 || copied.isEmpty())
            return;
        for (int y = copied.top; y < copied.bottom; ++y)
            std::memcpy(m_shown.data() + std::size_t(y) * m_frame->rowSize() + 3 * std::size_t(copied.left),
                m_frame->row(y) + 3 * std::size_t(copied.left), 3 * std::size_t(copied.width()));
    }
    long long steps = 0;

private:
    const gp::Image* m_frame;
    gp::ImageSlideCanvas* m_canvas;
    int m_mode;
    std::vector<std::uint8_t> m_shown;
};

// Every transition once on a 1024 x 768 slide frame, a 3:2 photo fitted into it, each step shown
// as state.range(0) says (see FrameCopyingDriver). Each should
// take the pacing's 100 ms; the slowest ("worst_ms", effect "worst_effect") shows whether any
// effect's drawing outruns its steps' shares and so stretches the delay between photos.
void everyTransitionAt1024x768(benchmark::State& state)
{
    const gp::Size window { 1024, 768 };
    const gp::SlidePlacement placement = gp::placeSlide({ 3000, 2000 }, window);
    const gp::Image picture = photo(placement.fitted.width, placement.fitted.height);
    gp::Image frame = std::move(gp::Image::create(window.width, window.height, 24)).value();
    double worst = 0;
    double total = 0;
    int worstEffect = -1;
    long long mostSteps = 0;
    for (auto _ : state) {
        gp::ClassicRandom random(7);
        for (int effect = 0; effect <= gp::kTransitionCount; ++effect) {
            gp::fillBlack(frame);
            gp::ImageSlideCanvas canvas(frame, picture, placement.offset);
            FrameCopyingDriver driver(frame, canvas, int(state.range(0)));
            const auto start = std::chrono::steady_clock::now();
            gp::runTransition(effect, canvas, placement.fitted, driver, random);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            total += ms;
            // GLIMMER_BENCH_EACH set: every effect's time and steps on the error stream.
            if (std::getenv("GLIMMER_BENCH_EACH"))
                std::fprintf(stderr, "effect %d: %.1f ms, %lld steps\n", effect, ms, driver.steps);
            mostSteps = std::max(mostSteps, driver.steps);
            if (effect > 0 && ms > worst) {
                worst = ms;
                worstEffect = effect;
            }
        }
    }
    state.counters["worst_ms"] = worst;
    state.counters["worst_effect"] = worstEffect;
    state.counters["mean_ms"] = total / double(state.iterations() * (gp::kTransitionCount + 1));
    state.counters["most_steps"] = double(mostSteps);
}
BENCHMARK(everyTransitionAt1024x768)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
