// Decoding Photo CD packs and writing and reading FlashPix files with the libraries' cores.

#include "FlashPixReader.h"
#include "FlashPixWriter.h"
#include "PcdDecoder.h"
#include "PcdRender.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// A base-only pack: header and the three base pictures filled with a gentle pattern.
std::vector<std::uint8_t> basePack()
{
    std::vector<std::uint8_t> pack(384 * gp::pcd::kSectorSize);
    std::memcpy(pack.data() + 0x800, "PCD_IPI", 7);
    for (std::size_t i = 4 * gp::pcd::kSectorSize; i < pack.size(); ++i)
        pack[i] = std::uint8_t(100 + (i / 97) % 60);
    return pack;
}

void decodeAndRender(benchmark::State& state)
{
    const auto pack = basePack();
    const auto info = *gp::pcd::readPackInfo(pack);
    const auto level = gp::pcd::Level(state.range(0));
    for (auto _ : state) {
        auto picture = gp::pcd::decodePicture(pack, info, level, {});
        auto block = gp::pcd::renderBlock(*picture, gp::pcd::OutputFormat::Rgb24, 1);
        benchmark::DoNotOptimize(block->get());
    }
    state.SetItemsProcessed(
        state.iterations() * std::int64_t(gp::pcd::storedWidth(level)) * gp::pcd::storedHeight(level));
}
BENCHMARK(decodeAndRender)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

gp::fpx::Raster picture(int width, int height)
{
    gp::fpx::Raster r;
    r.width = width;
    r.height = height;
    r.samples.resize(std::size_t(width) * std::size_t(height) * 3);
    for (std::size_t i = 0; i < r.samples.size(); ++i)
        r.samples[i] = std::uint8_t((i % 3) * 60 + (i / 3 % std::size_t(width)) * 100 / std::size_t(width));
    return r;
}

void writeFlashPix(benchmark::State& state)
{
    const auto raster = picture(1536, 1024);
    const gp::fpx::WriteOptions options {
        state.range(0) ? gp::fpx::TileCoding::Jpeg : gp::fpx::TileCoding::Uncompressed, 90
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::fpx::buildFlashPix(raster, options)->data());
    state.SetItemsProcessed(state.iterations() * 1536 * 1024);
}
BENCHMARK(writeFlashPix)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void readFlashPix(benchmark::State& state)
{
    const gp::fpx::WriteOptions options {
        state.range(0) ? gp::fpx::TileCoding::Jpeg : gp::fpx::TileCoding::Uncompressed, 90
    };
    const auto file = *gp::fpx::buildFlashPix(picture(1536, 1024), options);
    for (auto _ : state)
        benchmark::DoNotOptimize(gp::fpx::readFlashPix(file, std::size_t(1) << 30)->samples.data());
    state.SetItemsProcessed(state.iterations() * 1536 * 1024);
}
BENCHMARK(readFlashPix)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
