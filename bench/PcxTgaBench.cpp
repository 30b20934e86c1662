// Reading and writing a 6000 × 4000 photo as 24-bit PCX (always run-length coded) and as TGA,
// plain and run-length coded. Reads decode bytes already in memory; writes go to a file.

#include "BenchPhoto.h"
#include "base/AtomicFile.h"
#include "codecs/PcxReader.h"
#include "codecs/PcxWriter.h"
#include "codecs/TgaReader.h"
#include "codecs/TgaWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

using namespace gp;

namespace {

std::filesystem::path benchFile(const std::string& name)
{
    return std::filesystem::temp_directory_path() / ("glimmer-bench-" + name);
}

WriteResult writePcx(const std::string& path)
{
    SilentHost host;
    return writePcxFile(path, bench::photo(), host);
}

WriteResult writeTga(const std::string& path, bool compress)
{
    SilentHost host;
    return writeTgaFile(path, bench::photo(), compress, host);
}

// The photo as one of our writers makes it, as bytes.
template <typename Write> std::vector<std::uint8_t> fileBytes(const std::string& name, Write write)
{
    const auto path = benchFile(name);
    (void)write(path.string());
    auto bytes = readWholeFile(path, std::size_t(1) << 31);
    std::filesystem::remove(path);
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t> {};
}

template <typename Decode>
void decodeBench(benchmark::State& state, const std::vector<std::uint8_t>& bytes, Decode decode)
{
    SilentHost host;
    const Allocator allocator(host);
    for (auto _ : state) {
        ReadResult result = decode(bytes, allocator);
        if (!result.ok()) {
            state.SkipWithError(result.detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(result.image->pixels().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * bench::photo().imageSize()));
    state.counters["fileMB"] = double(bytes.size()) / 1e6;
}

template <typename Write> void writeBench(benchmark::State& state, const std::string& name, Write write)
{
    const auto path = benchFile(name);
    for (auto _ : state) {
        if (write(path.string()) != WriteResult::Written) {
            state.SkipWithError("write failed");
            break;
        }
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(std::int64_t(state.iterations() * bench::photo().imageSize()));
}

void pcxRead(benchmark::State& state)
{
    decodeBench(state, fileBytes("r.pcx", writePcx),
        [](std::span<const std::uint8_t> b, const Allocator& a) { return decodePcx(b, a); });
}

void pcxWrite(benchmark::State& state)
{
    writeBench(state, "w.pcx", writePcx);
}

void tgaRead(benchmark::State& state)
{
    const bool compress = state.range(0) != 0;
    decodeBench(
        state, fileBytes("r.tga", [&](const std::string& path) { return writeTga(path, compress); }),
        [](std::span<const std::uint8_t> b, const Allocator& a) { return decodeTga(b, a); });
}

void tgaWrite(benchmark::State& state)
{
    const bool compress = state.range(0) != 0;
    writeBench(state, "w.tga", [&](const std::string& path) { return writeTga(path, compress); });
}

} // namespace

BENCHMARK(pcxRead)->Unit(benchmark::kMillisecond);
BENCHMARK(pcxWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(tgaRead)->ArgName("compress")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(tgaWrite)->ArgName("compress")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
