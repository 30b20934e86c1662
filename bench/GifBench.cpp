// GIF decoding and encoding of a 6000 × 4000 8-bit picture: the test photo reduced to 256
// colours with error diffusion, as Save As GIF makes it. Both directions are almost all LZW work;
// bytes processed count one byte a pixel. compare-gif.sh sets the whole conversions against
// ImageMagick.

#include "BenchPhoto.h"
#include "codecs/GifReader.h"
#include "codecs/GifWriter.h"
#include "image/ColorConversion.h"

#include <benchmark/benchmark.h>

using namespace gp;

namespace {

const Image& palettePhoto()
{
    static const Image image = [] {
        SilentHost host;
        const Allocator allocator(host);
        return std::move(*convertTo256Colors(bench::photo(), PaletteMapping::ErrorDiffusion, allocator, nullptr));
    }();
    return image;
}

std::int64_t pixelCount()
{
    return std::int64_t(bench::kPhotoWidth) * bench::kPhotoHeight;
}

void gifDecode(benchmark::State& state)
{
    SilentHost host;
    const Allocator allocator(host);
    const auto file = encodeGif(palettePhoto());
    for (auto _ : state) {
        ReadResult result = decodeGif(file, allocator);
        benchmark::DoNotOptimize(result.image->pixels().data());
    }
    state.SetBytesProcessed(state.iterations() * pixelCount());
    state.counters["fileMiB"] = double(file.size()) / (1 << 20);
}

void gifEncode(benchmark::State& state)
{
    const Image& image = palettePhoto();
    for (auto _ : state) {
        auto file = encodeGif(image);
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(state.iterations() * pixelCount());
}

} // namespace

BENCHMARK(gifDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(gifEncode)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
