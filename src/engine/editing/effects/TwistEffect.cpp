#include "editing/effects/TwistEffect.h"

#include "editing/effects/EllipseRadius.h"
#include "editing/effects/FilterSupport.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace gp {

TwistTables twistTables(TwistKind kind, int b)
{
    TwistTables tables;
    for (int k = 0; k < 512; ++k) {
        const double root = std::sqrt(k / 512.0);
        const double angle
            = kind == TwistKind::Spiral ? b * root * 0.125663706 : -b * (root - 1) * (root - 1) * 0.062831853;
        tables.cosine[std::size_t(k)] = int(std::cos(angle) * 16384);
        tables.sine[std::size_t(k)] = int(std::sin(angle) * 16384);
    }
    return tables;
}

std::optional<Image> twistEffect(const Image& source, TwistKind kind, int strength, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const TwistTables tables = twistTables(kind, strength);
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
                const std::size_t entry = std::size_t(std::max(k, 1LL));
                const long long c = tables.cosine[entry], s = tables.sine[entry];
                const long long bigX = radius.centredColumn(x);
                const int column = int(std::clamp<long long>((bigX * c - bigY * s + centreX) >> 15, 0, width - 1));
                const int row = int(std::clamp<long long>((bigY * c + bigX * s + centreY) >> 15, 0, height - 1));
                in = source.storedRow(row) + std::size_t(column) * std::size_t(ch);
            }
            std::memcpy(out, in, std::size_t(ch));
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
