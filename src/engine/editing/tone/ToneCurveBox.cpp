#include "editing/tone/ToneCurveBox.h"

#include <algorithm>

namespace gp {

std::array<int, 256> histogramBarHeights(const LevelHistogram& histogram, int height)
{
    std::array<int, 256> bars {};
    const std::uint64_t fullest = *std::max_element(histogram.begin(), histogram.end());
    const int inner = std::max(0, height - 2);
    if (fullest == 0)
        return bars;
    for (std::size_t i = 0; i < 256; ++i) {
        if (histogram[i] == 0)
            continue;
        bars[i] = std::max(1, int(histogram[i] * std::uint64_t(inner) / fullest));
    }
    return bars;
}

std::vector<int> curvePoints(const LevelTable& table, int innerWidth, int height, int bottom)
{
    std::vector<int> points;
    if (innerWidth <= 0)
        return points;
    points.reserve(std::size_t(innerWidth));
    for (int x = 0; x < innerWidth; ++x) {
        const int level = table[std::size_t(std::min(255, (x * 255 + innerWidth / 2) / innerWidth))];
        points.push_back(bottom - (level * (height - 2) + 127) / 255);
    }
    return points;
}

} // namespace gp
