#include "editing/effects/LensEffect.h"

#include "editing/effects/EllipseRadius.h"
#include "editing/effects/FilterSupport.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace gp {

std::array<int, 512> lensScaleTable(LensKind kind, int b)
{
    std::array<int, 512> table {};
    table[0] = 16384; // never read: the index is raised to 1 first
    for (int k = 1; k < 512; ++k) {
        const double rho = k / 512.0;
        double factor = 1.0;
        switch (kind) {
        case LensKind::Fisheye: factor = std::pow(rho, 0.0075 * b); break;
        case LensKind::Cone: factor = 1.0 / std::pow(rho, 0.003 * b); break;
        case LensKind::Sphere: {
            const double u = std::sqrt(rho);
            factor = (1.0 - 0.02 * b) + 0.04 * b * std::asin(u) / (3.14159265 * u);
            break;
        }
        }
        table[std::size_t(k)] = int(factor * 16384);
    }
    return table;
}

std::optional<Image> lensEffect(const Image& source, LensKind kind, int strength, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const std::array<int, 512> scale = lensScaleTable(kind, strength);
    const EllipseRadius radius(width, height);
    const long long centreX = static_cast<long long>(width) * 16384 - 8192;
    const long long centreY = static_cast<long long>(height) * 16384 - 8192;
    FilterProgress progress(run, height);
    for (int y = 0; y < height; ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        const long long bigY = radius.centredRow(y);
        const std::uint8_t* own = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < width; ++x, out += ch) {
            const long long k = radius.index(x, y);
            const std::uint8_t* in = own + std::size_t(x) * std::size_t(ch);
            if (k < 512) {
                const long long f = scale[std::size_t(std::max(k, 1LL))];
                const int column
                    = int(std::clamp<long long>((radius.centredColumn(x) * f + centreX) >> 15, 0, width - 1));
                const int row = int(std::clamp<long long>((bigY * f + centreY) >> 15, 0, height - 1));
                in = source.storedRow(row) + std::size_t(column) * std::size_t(ch);
            }
            std::memcpy(out, in, std::size_t(ch));
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
