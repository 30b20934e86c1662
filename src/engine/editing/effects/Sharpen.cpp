#include "editing/effects/Sharpen.h"

#include "editing/effects/FilterSupport.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

std::optional<Image> sharpen(const Image& source, int box, int amount, int threshold, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto means = blankLike(source, run.allocator);
    if (!means)
        return std::nullopt;
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;

    const int s = std::max(2, box);
    const int half = s / 2;
    std::vector<std::uint8_t> mean(std::size_t(256 * s));
    for (int sum = 0; sum < 256 * s; ++sum)
        mean[std::size_t(sum)] = std::uint8_t((sum + half) / s);
    std::array<int, 256> gain {};
    for (int d = 0; d < 256; ++d)
        gain[std::size_t(d)] = d < threshold ? 0 : (50 + amount * d) / 100;
    // What a difference of d (−255..255) adds, indexed by d + 255.
    std::array<int, 511> lift {};
    for (int d = -255; d <= 255; ++d)
        lift[std::size_t(d + 255)] = d >= 0 ? gain[std::size_t(d)] : -gain[std::size_t(-d - 1)];

    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    const std::size_t lineBytes = std::size_t(width) * std::size_t(ch);
    const auto at = [ch](int x, int k) { return std::size_t(x) * std::size_t(ch) + std::size_t(k); };

    FilterProgress first(run, height, 0, 50);
    for (int y = 0; y < height; ++y) {
        if (!first.beforeRow(y))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = means->storedRow(y);
        for (int k = 0; k < ch; ++k) {
            int sum = 0;
            for (int j = 0; j < s; ++j)
                sum += in[at(clampInt(j - half, 0, width - 1), k)];
            for (int x = 0; x < width; ++x) {
                out[at(x, k)] = mean[std::size_t(sum)];
                sum += in[at(clampInt(x - half + s, 0, width - 1), k)] - in[at(clampInt(x - half, 0, width - 1), k)];
            }
        }
    }

    std::vector<int> sums(lineBytes, 0);
    for (int j = 0; j < s; ++j) {
        const std::uint8_t* row = means->storedRow(clampInt(j - half, 0, height - 1));
        for (std::size_t i = 0; i < lineBytes; ++i)
            sums[i] += row[i];
    }
    FilterProgress second(run, height, 50, 100);
    for (int y = 0; y < height; ++y) {
        if (!second.beforeRow(y))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (std::size_t i = 0; i < lineBytes; ++i) {
            const int blurred = mean[std::size_t(sums[i])];
            out[i] = clampByte(in[i] + lift[std::size_t(in[i] - blurred + 255)]);
        }
        const std::uint8_t* entering = means->storedRow(clampInt(y - half + s, 0, height - 1));
        const std::uint8_t* leaving = means->storedRow(clampInt(y - half, 0, height - 1));
        for (std::size_t i = 0; i < lineBytes; ++i)
            sums[i] += entering[i] - leaving[i];
    }
    second.finish();
    return result;
}

} // namespace gp
