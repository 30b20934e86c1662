#include "editing/effects/Mosaic.h"

#include "editing/effects/FilterSupport.h"

#include <array>
#include <cstdint>

namespace gp {

std::optional<Image> mosaic(const Image& source, int blockWidth, int blockHeight, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int bw = std::min(blockWidth, width), bh = std::min(blockHeight, height);
    if (bw <= 0 || bh <= 0)
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int ch = channelsOf(source);
    FilterProgress progress(run, height);
    for (int top = 0; top < height; top += bh) {
        const int rows = std::min(bh, height - top);
        for (int y = top; y < top + rows; ++y)
            if (!progress.beforeRow(y))
                return std::nullopt;
        for (int left = 0; left < width; left += bw) {
            const int columns = std::min(bw, width - left);
            std::array<std::uint64_t, 3> sum {};
            for (int y = top; y < top + rows; ++y) {
                const std::uint8_t* in = source.storedRow(y) + std::size_t(left) * std::size_t(ch);
                for (int x = 0; x < columns; ++x, in += ch)
                    for (int k = 0; k < ch; ++k)
                        sum[std::size_t(k)] += in[k];
            }
            const std::uint64_t count = std::uint64_t(rows) * std::uint64_t(columns);
            std::array<std::uint8_t, 3> mean {};
            for (int k = 0; k < ch; ++k)
                mean[std::size_t(k)] = std::uint8_t(sum[std::size_t(k)] / count);
            for (int y = top; y < top + rows; ++y) {
                std::uint8_t* out = result->storedRow(y) + std::size_t(left) * std::size_t(ch);
                for (int x = 0; x < columns; ++x, out += ch)
                    std::copy(mean.begin(), mean.begin() + ch, out);
            }
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
