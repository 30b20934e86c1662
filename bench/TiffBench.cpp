// TIFF reading and writing of a 6000 × 4000 24-bit photo: LZW-compressed and plain files decoded
// from memory, written to a temporary file, and the LZW coder alone on the same bytes
// (compare-tiff.sh sets the whole conversions against libtiff's tiffcp and ImageMagick).

#include "BenchPhoto.h"
#include "codecs/Lzw.h"
#include "codecs/TiffReader.h"
#include "codecs/TiffWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

using namespace gp;

namespace {

const std::filesystem::path& benchFile()
{
    static const std::filesystem::path path = std::filesystem::temp_directory_path() / "glimmer-bench.tif";
    return path;
}

std::vector<std::uint8_t> tiffBytes(bool compress)
{
    (void)writeTiffFile(benchFile().string(), bench::photo(), compress);
    std::ifstream in(benchFile(), std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

// The photo's rows as the file holds them: top down, unpadded.
std::vector<std::uint8_t> photoRows()
{
    const Image& image = bench::photo();
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < image.height(); ++y)
        rows.insert(rows.end(), image.row(y), image.row(y) + std::size_t(image.width()) * 3);
    return rows;
}

void read(benchmark::State& state, bool compressed)
{
    SilentHost host;
    const Allocator allocator(host);
    const auto bytes = tiffBytes(compressed);
    for (auto _ : state) {
        ReadResult result = decodeTiff(bytes, allocator);
        benchmark::DoNotOptimize(result.image->pixels().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * bench::photo().imageSize()));
    state.counters["file MB"] = double(bytes.size()) / 1e6;
}

void write(benchmark::State& state, bool compress)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(writeTiffFile(benchFile().string(), bench::photo(), compress));
    state.SetBytesProcessed(std::int64_t(state.iterations() * bench::photo().imageSize()));
}

void tiffReadLzw(benchmark::State& state)
{
    read(state, true);
}
void tiffReadPlain(benchmark::State& state)
{
    read(state, false);
}
void tiffWriteLzw(benchmark::State& state)
{
    write(state, true);
}
void tiffWritePlain(benchmark::State& state)
{
    write(state, false);
}

void lzwDecodeRows(benchmark::State& state)
{
    const auto rows = photoRows();
    std::vector<std::uint8_t> packed;
    LzwEncoder encoder(kTiffLzwRules);
    encoder.encode(rows, packed);
    encoder.finish(packed);
    std::vector<std::uint8_t> row(std::size_t(bench::kPhotoWidth) * 3);
    for (auto _ : state) {
        LzwDecoder decoder(kTiffLzwRules, packed);
        while (decoder.read(row) == row.size())
            benchmark::DoNotOptimize(row.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * rows.size()));
}

void lzwEncodeRows(benchmark::State& state)
{
    const auto rows = photoRows();
    const std::size_t rowSize = std::size_t(bench::kPhotoWidth) * 3;
    std::vector<std::uint8_t> packed;
    for (auto _ : state) {
        packed.clear();
        LzwEncoder encoder(kTiffLzwRules);
        for (std::size_t at = 0; at < rows.size(); at += rowSize)
            encoder.encode({ rows.data() + at, rowSize }, packed);
        encoder.finish(packed);
        benchmark::DoNotOptimize(packed.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * rows.size()));
}

} // namespace

BENCHMARK(tiffReadLzw)->Unit(benchmark::kMillisecond);
BENCHMARK(tiffReadPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(tiffWriteLzw)->Unit(benchmark::kMillisecond);
BENCHMARK(tiffWritePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(lzwDecodeRows)->Unit(benchmark::kMillisecond);
BENCHMARK(lzwEncodeRows)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
