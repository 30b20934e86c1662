// Album thumbnails: making one from a 3000 × 2000 photo in memory, and adding a 3000 × 2000
// JPEG file to an album (reading, decoding and sampling it).

#include "album/AddToAlbum.h"
#include "album/AlbumPhotoReader.h"
#include "album/Thumbnail.h"
#include "codecs/WriteImageFile.h"
#include "app/App.h"
#include "app/AppHost.h"

#include <benchmark/benchmark.h>

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
    QuietHost host;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "glimmer-album-bench";
    std::filesystem::create_directories(dir);
    gp::Paths paths;
    paths.settingsDir = paths.programDir = paths.dataDir = paths.libraryDir = dir;
    gp::App app(host, paths);
    const std::string file = (dir / "photo.jpg").string();
    if (gp::writeImageFile(app.imageFiles(), gp::kSaveTypeJpeg, photo(3000, 2000), file) != gp::WriteResult::Written) {
        state.SkipWithError("cannot write the JPEG file");
        return;
    }
    const gp::AlbumAdder adder { app.allocator(), gp::albumPhotoReader(app.imageFiles()), {} };
    for (auto _ : state) {
        gp::AlbumList album;
        if (gp::addFileToAlbum(album, file, adder) != gp::AddOutcome::Added)
            state.SkipWithError("the photo was not added");
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove_all(dir);
}
BENCHMARK(addJpeg3000x2000ToAlbum)->Unit(benchmark::kMillisecond);

// A batch of 20 such files as the Add Thumbnails dialog and the command-line add take them: JPEG
// thumbnails made ahead on state.range(0) worker threads (0: the calling thread reads each file).
void addBatchOf20Jpeg3000x2000(benchmark::State& state)
{
    QuietHost host;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "glimmer-album-batch-bench";
    std::filesystem::create_directories(dir);
    gp::Paths paths;
    paths.settingsDir = paths.programDir = paths.dataDir = paths.libraryDir = dir;
    gp::App app(host, paths);
    std::vector<std::string> files;
    const gp::Image image = photo(3000, 2000);
    for (int i = 0; i < 20; ++i) {
        files.push_back((dir / ("photo" + std::to_string(i) + ".jpg")).string());
        if (gp::writeImageFile(app.imageFiles(), gp::kSaveTypeJpeg, image, files.back()) != gp::WriteResult::Written) {
            state.SkipWithError("cannot write the JPEG file");
            return;
        }
    }
    gp::AlbumAdder adder { app.allocator(), gp::albumPhotoReader(app.imageFiles()) };
    adder.prefetchWorkers = int(state.range(0));
    for (auto _ : state) {
        gp::AlbumList album;
        if (gp::addFilesToAlbum(album, files, adder) != 20)
            state.SkipWithError("the photos were not added");
    }
    state.SetItemsProcessed(20 * state.iterations());
    std::filesystem::remove_all(dir);
}
BENCHMARK(addBatchOf20Jpeg3000x2000)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
