#include "editing/effects/LensEffect.h"

#include "editing/effects/EllipseRadius.h"

#include <cmath>

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
    const std::array<int, 512> scale = lensScaleTable(kind, strength);
    return remapInsideEllipse(source, run, [&](long long bigX, long long bigY, std::size_t entry) {
        const long long f = scale[entry];
        return std::pair<long long, long long>(bigX * f, bigY * f);
    });
}

} // namespace gp
