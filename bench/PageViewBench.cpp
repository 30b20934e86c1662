// The layout page's photo pictures: a 6000 × 4000 photo scaled to a 480 × 320 cell as the page
// view does when a photo arrives or the window's size changes (the picture is made once per size
// and then only copied), at device pixel ratio 1 and 2.

#include "views/PhotoCache.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::shared_ptr<gp::Image> photo()
{
    static const std::shared_ptr<gp::Image> image = [] {
        auto result = std::make_shared<gp::Image>(gp::Image::create(6000, 4000, 24).value());
        for (int y = 0; y < 4000; ++y) {
            std::uint8_t* row = result->storedRow(y);
            for (int x = 0; x < 6000; ++x) {
                const int texture = (x * 7919 + y * 104729) % 31;
                row[3 * x] = std::uint8_t((x / 24 + texture) & 255);
                row[3 * x + 1] = std::uint8_t((y / 16 + 2 * texture) & 255);
                row[3 * x + 2] = std::uint8_t(((x + y) / 40 + texture) & 255);
            }
        }
        return result;
    }();
    return image;
}

void photoPictureForACell(benchmark::State& state)
{
    const qreal ratio = qreal(state.range(0));
    const std::shared_ptr<gp::Image> shown = photo();
    for (auto _ : state) {
        gp::ui::PhotoCache cache;
        benchmark::DoNotOptimize(cache.picture(shown, QSize(480, 320), ratio).constBits());
    }
}
BENCHMARK(photoPictureForACell)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
