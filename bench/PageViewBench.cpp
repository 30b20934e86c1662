// The layout page's photo pictures: a 6000 × 4000 photo scaled to a 480 × 320 cell as the page
// view does when a photo arrives or the window's size changes (the picture is made once per size
// and then only copied), at device pixel ratio 1 and 2.

#include "BenchPhoto.h"
#include "views/PhotoCache.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::shared_ptr<gp::Image> photo()
{
    static const auto image = std::make_shared<gp::Image>(gp::bench::texturedPhoto().clone());
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
