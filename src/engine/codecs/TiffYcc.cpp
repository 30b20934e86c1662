#include "codecs/TiffYcc.h"

#include <array>
#include <cmath>

namespace gp {

namespace {

// Each chroma term rounded once per possible byte, so a pixel costs a few table look-ups.
struct ChromaTables {
    std::array<int, 256> blueFromCb {};
    std::array<int, 256> greenFromCb {};
    std::array<int, 256> greenFromCr {};
    std::array<int, 256> redFromCr {};

    ChromaTables()
    {
        for (int i = 0; i < 256; ++i) {
            const double c = i - 128;
            blueFromCb[i] = int(std::lround(1.772 * c));
            greenFromCb[i] = int(std::lround(-0.34414 * c));
            greenFromCr[i] = int(std::lround(-0.71414 * c));
            redFromCr[i] = int(std::lround(1.402 * c));
        }
    }
};

std::uint8_t clamp(int v)
{
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

void store(const ChromaTables& t, int luma, int cb, int cr, std::uint8_t* bgr)
{
    bgr[0] = clamp(luma + t.blueFromCb[cb]);
    bgr[1] = clamp(luma + t.greenFromCb[cb] + t.greenFromCr[cr]);
    bgr[2] = clamp(luma + t.redFromCr[cr]);
}

} // namespace

void expandCameraYccRow(std::span<const std::uint8_t> pairs, int width, std::uint8_t* bgr)
{
    static const ChromaTables tables;
    int previousCb = -1, previousCr = -1;
    for (int x = 0; x < width; x += 2) {
        const std::uint8_t* pair = pairs.data() + std::size_t(x) * 2;
        const int cb = pair[2], cr = pair[3];
        const int leftCb = previousCb < 0 ? cb : (cb + previousCb) / 2;
        const int leftCr = previousCr < 0 ? cr : (cr + previousCr) / 2;
        store(tables, pair[0], leftCb, leftCr, bgr + std::size_t(x) * 3);
        if (x + 1 < width)
            store(tables, pair[1], cb, cr, bgr + std::size_t(x + 1) * 3);
        previousCb = cb;
        previousCr = cr;
    }
}

} // namespace gp
