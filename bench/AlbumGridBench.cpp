// The album grid with a 5000-photo album: loading the album file, the first paint of the grid
// and scrolling it a row at a time. The paints must stay within a 60 Hz frame (16 ms); the
// worst frame is reported beside the mean, by the wall clock ("worst_ms") and by the painting
// thread's CPU time ("worst_cpu_ms", which a busy machine does not inflate). Runs offscreen
// unless the caller chose a platform (e.g. QT_QPA_PLATFORM=xcb under an X server).
//
// The photos are real JPEG files (forty 1600 x 1067 photos under 5000 names), so on a dense
// screen (QT_SCALE_FACTOR=2) the grid makes its finer thumbnails from them while it scrolls;
// denseThumbnailsOfAScreen measures how long a screenful of them takes to be ready.

#include "album/AlbumFile.h"
#include "album/DenseThumbnails.h"
#include "album/Thumbnail.h"
#include "app/App.h"
#include "codecs/WriteImageFile.h"
#include "views/AlbumGrid.h"

#include "FakeHost.h"

#include <QApplication>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

constexpr int kPhotos = 5000;

struct Setup {
    std::filesystem::path dir;
    gp::test::FakeHost host;
    std::unique_ptr<gp::App> app;
    std::filesystem::path albumFile;

    Setup()
    {
        dir = std::filesystem::temp_directory_path() / "glimmer-album-grid-bench";
        std::filesystem::create_directories(dir);
        // The dense thumbnails' folder starts empty with each run and goes with it.
        setenv("XDG_CACHE_HOME", (dir / "cache").c_str(), 1);
        gp::Paths paths;
        paths.settingsDir = paths.programDir = paths.dataDir = paths.libraryDir = dir;
        app = std::make_unique<gp::App>(host, paths);
        albumFile = dir / "big.abm";
        // Forty different photos, landscape and portrait, each under 125 of the 5000 names.
        std::vector<gp::PhotoItem> kinds;
        std::filesystem::create_directories(dir / "photos");
        for (int k = 0; k < 40; ++k) {
            const int width = k % 2 ? 1067 : 1600;
            const int height = k % 2 ? 1600 : 1067;
            gp::Image photo = std::move(gp::Image::create(width, height, 24)).value();
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 3 * width; ++x)
                    photo.row(y)[x] = std::uint8_t(x * (k + 1) / 7 + y / 3 + (x * y) % 5);
            const std::string path = (dir / ("kind" + std::to_string(k) + ".jpg")).string();
            if (gp::writeImageFile(app->imageFiles(), 6, photo, path) != gp::WriteResult::Written)
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
            kinds.push_back(*gp::makeThumbnail(photo, path, app->allocator()));
        }
        gp::AlbumList album;
        for (int i = 0; i < kPhotos; ++i) {
            gp::PhotoItem item = kinds[std::size_t(i % 40)];
            char name[64];
            std::snprintf(name, sizeof name, "p%04d.jpg", i);
            const std::filesystem::path link = dir / "photos" / name;
            std::error_code error;
            std::filesystem::create_symlink(item.record.path, link, error);
            item.record.path = link.string();
            album.append(std::move(item));
        }
        if (!gp::saveAlbum(album, albumFile, host))
            std::fprintf(stderr, "cannot write %s\n", albumFile.c_str());
    }
    ~Setup() { std::filesystem::remove_all(dir); }
};

Setup& setup()
{
    static Setup s;
    return s;
}

gp::ui::DisplaySetup display(const Setup& s)
{
    return gp::ui::DisplaySetup { 24, &s.app->gammaTables(), nullptr };
}

void loadAlbumOf5000(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        gp::AlbumList album;
        gp::loadAlbum(album, s.albumFile, s.dir, s.app->allocator());
        if (album.count() != kPhotos)
            state.SkipWithError("the album did not load whole");
    }
}
BENCHMARK(loadAlbumOf5000)->Unit(benchmark::kMillisecond);

// Lets the window system show the grid's window: until then a repaint paints nothing.
void waitUntilShown(QWidget& grid)
{
    for (int i = 0; i < 100 && !(grid.windowHandle() && grid.windowHandle()->isExposed()); ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    QCoreApplication::processEvents();
}

// The CPU time this thread has used, in milliseconds: unlike the wall clock it leaves out the
// time other programs on a busy machine take the core away.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

// The worst frames seen: by the wall clock and by this thread's CPU time.
struct Worst {
    double wallMs = 0;
    double cpuMs = 0;
    void report(benchmark::State& state) const
    {
        state.counters["worst_ms"] = wallMs;
        state.counters["worst_cpu_ms"] = cpuMs;
    }
};

// One frame: the grid painted now (not queued), timed.
void paintFrame(QWidget& grid, Worst& worst)
{
    const double cpuStart = threadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    grid.repaint();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    worst.wallMs = std::max(worst.wallMs, ms);
    worst.cpuMs = std::max(worst.cpuMs, threadCpuMs() - cpuStart);
}

void firstPaintOfAnOpenedAlbum(benchmark::State& state)
{
    Setup& s = setup();
    gp::AlbumList album;
    gp::loadAlbum(album, s.albumFile, s.dir, s.app->allocator());
    Worst worst;
    for (auto _ : state) {
        // A new grid on the album each time, as when the album screen opens.
        gp::ui::AlbumGrid grid(nullptr, *s.app, album, gp::ui::albumScreenShape(520, false), display(s));
        grid.show();
        waitUntilShown(grid);
        paintFrame(grid, worst);
    }
    worst.report(state);
}
BENCHMARK(firstPaintOfAnOpenedAlbum)->Unit(benchmark::kMillisecond);

void scrollAlbumOf5000ARowAtATime(benchmark::State& state)
{
    Setup& s = setup();
    gp::AlbumList album;
    gp::loadAlbum(album, s.albumFile, s.dir, s.app->allocator());
    gp::ui::AlbumGrid grid(nullptr, *s.app, album, gp::ui::albumScreenShape(520, false), display(s));
    grid.show();
    waitUntilShown(grid);
    // Every tenth photo selected, so the selection frames are painted too.
    for (int i = 0; i < album.count(); i += 10)
        album.photos()[std::size_t(i)].setSelected(true);
    const int rows = album.rowsNeeded() - grid.shape().rows + 1; // the first rows the grid can show
    int row = 0;
    Worst worst;
    for (auto _ : state) {
        row = (row + 1) % rows;
        grid.scrollTo(row);
        paintFrame(grid, worst);
    }
    worst.report(state);
}
BENCHMARK(scrollAlbumOf5000ARowAtATime)->Unit(benchmark::kMillisecond)->Iterations(2500);

// On a dense screen: a grid opened on a part of the album not seen before, from its first paint
// until the finer thumbnails of its screen and of the next (which the grid asks for ahead) are
// made; then one repaint that paints them all ("dense_paint_ms", the worst of the runs).
void denseThumbnailsOfAScreen(benchmark::State& state)
{
    Setup& s = setup();
    gp::AlbumList album;
    gp::loadAlbum(album, s.albumFile, s.dir, s.app->allocator());
    int row = 0;
    double paintMs = 0;
    for (auto _ : state) {
        gp::ui::AlbumGrid grid(nullptr, *s.app, album, gp::ui::albumScreenShape(520, false), display(s));
        grid.show();
        waitUntilShown(grid);
        row = (row + 2 * grid.shape().rows) % (album.rowsNeeded() - grid.shape().rows);
        grid.scrollTo(row);
        grid.repaint();
        gp::DenseThumbnails* dense = grid.denseThumbnails();
        if (!dense) {
            state.SkipWithError("the screen's device pixel ratio is 1 (QT_SCALE_FACTOR=2 sets 2)");
            break;
        }
        dense->waitUntilIdle();
        state.PauseTiming();
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        grid.repaint();
        paintMs = std::max(paintMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        state.ResumeTiming();
    }
    state.counters["dense_paint_ms"] = paintMs;
}
BENCHMARK(denseThumbnailsOfAScreen)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
