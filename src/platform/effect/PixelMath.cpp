#include "PixelMath.h"

#include <cmath>

namespace gp::effect {

void applyTables(const RgbPicture& s, const RgbPicture& d, const Table& blue, const Table& green, const Table& red)
{
    for (int y = 0; y < s.height; ++y) {
        const std::uint8_t* in = s.row(y);
        std::uint8_t* out = d.row(y);
        for (int x = 0; x < s.width; ++x, in += 3, out += 3) {
            out[0] = blue[in[0]];
            out[1] = green[in[1]];
            out[2] = red[in[2]];
        }
    }
}

double sCurve(double v, double k)
{
    const double t = v / 255.0;
    const double smooth = t * t * (3 - 2 * t);
    return 255.0 * (t + (smooth - t) * k);
}

} // namespace gp::effect
