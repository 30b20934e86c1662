#include "editing/effects/TwistEffect.h"

#include "editing/effects/EllipseRadius.h"

#include <cmath>

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
    const TwistTables tables = twistTables(kind, strength);
    return remapInsideEllipse(source, run, [&](long long bigX, long long bigY, std::size_t entry) {
        const long long c = tables.cosine[entry], s = tables.sine[entry];
        return std::pair<long long, long long>(bigX * c - bigY * s, bigY * c + bigX * s);
    });
}

} // namespace gp
