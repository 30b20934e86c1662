// Decoding and encoding a 6000 × 4000 photo: BMP read and write against copying the same bytes
// in memory, JPEG read and write through our glue (compare.sh sets them against djpeg and cjpeg
// of the same library).

#include "BenchPhoto.h"
#include "codecs/BmpReader.h"
#include "codecs/BmpWriter.h"
#include "codecs/JpegReader.h"
#include "codecs/JpegWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

using namespace gp;

namespace {

std::vector<std::uint8_t> bmpBytes()
{
    const Image& image = bench::photo();
    std::vector<std::uint8_t> bytes = bmpFileHeader(image);
    const auto packed = image.packed();
    bytes.insert(bytes.end(), packed.begin(), packed.end());
    return bytes;
}

std::vector<std::uint8_t> jpegBytes()
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
    (void)encodeJpeg(stream, bench::photo(), 90);
    std::fclose(stream);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

void memoryCopy(benchmark::State& state)
{
    const auto source = bmpBytes();
    std::vector<std::uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * source.size()));
}

// A copy into a new block, as a reader must make one for every picture.
void memoryCopyToNewBlock(benchmark::State& state)
{
    const auto source = bmpBytes();
    for (auto _ : state) {
        std::vector<std::uint8_t> target(source.begin(), source.end());
        benchmark::DoNotOptimize(target.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * source.size()));
}

void bmpRead(benchmark::State& state)
{
    SilentHost host;
    const Allocator allocator(host);
    const auto bytes = bmpBytes();
    for (auto _ : state) {
        ReadResult result = decodeBmp(bytes, allocator);
        benchmark::DoNotOptimize(result.image->pixels().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * bytes.size()));
}

void bmpWrite(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "glimmer-bench.bmp";
    for (auto _ : state)
        benchmark::DoNotOptimize(writeBmpFile(path.string(), bench::photo()));
    std::filesystem::remove(path);
    state.SetBytesProcessed(std::int64_t(state.iterations() * bench::photo().packed().size()));
}

void jpegRead(benchmark::State& state)
{
    SilentHost host;
    const Allocator allocator(host);
    auto bytes = jpegBytes();
    for (auto _ : state) {
        std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
        ReadResult result = decodeJpeg(stream, allocator);
        std::fclose(stream);
        benchmark::DoNotOptimize(result.image->pixels().data());
    }
}

void jpegWrite(benchmark::State& state)
{
    std::FILE* sink = std::fopen("/dev/null", "wb");
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeJpeg(sink, bench::photo(), 90));
    std::fclose(sink);
}

} // namespace

BENCHMARK(memoryCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(memoryCopyToNewBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(bmpRead)->Unit(benchmark::kMillisecond);
BENCHMARK(bmpWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(jpegRead)->Unit(benchmark::kMillisecond);
BENCHMARK(jpegWrite)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
