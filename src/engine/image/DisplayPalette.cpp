#include "image/DisplayPalette.h"

namespace gp {

const std::array<std::uint8_t, 64> kDitherMatrix = {
    0,
    32,
    8,
    40,
    2,
    34,
    10,
    42,
    48,
    16,
    56,
    24,
    50,
    18,
    58,
    26,
    12,
    44,
    4,
    36,
    14,
    46,
    6,
    38,
    60,
    28,
    52,
    20,
    62,
    30,
    54,
    22,
    3,
    35,
    11,
    43,
    1,
    33,
    9,
    41,
    51,
    19,
    59,
    27,
    49,
    17,
    57,
    25,
    15,
    47,
    7,
    39,
    13,
    45,
    5,
    37,
    63,
    31,
    55,
    23,
    61,
    29,
    53,
    21,
};

std::array<Rgbq, 216> cubePalette()
{
    std::array<Rgbq, 216> palette {};
    for (int i = 0; i < 216; ++i)
        palette[std::size_t(i)]
            = Rgbq { std::uint8_t((i / 36) * 51), std::uint8_t(((i / 6) % 6) * 51), std::uint8_t((i % 6) * 51), 0 };
    return palette;
}

std::array<Rgbq, 8> cornerPalette()
{
    std::array<Rgbq, 8> palette {};
    for (int k = 0; k < 8; ++k)
        palette[std::size_t(k)]
            = Rgbq { std::uint8_t(k & 4 ? 255 : 0), std::uint8_t(k & 2 ? 255 : 0), std::uint8_t(k & 1 ? 255 : 0), 0 };
    return palette;
}

DitherTable::DitherTable(const std::array<GammaTable, 3>& gamma)
    : m_red(64 * 256)
    , m_green(64 * 256)
    , m_blue(64 * 256)
{
    const int weights[3] = { 1, 6, 36 };
    std::vector<std::uint8_t>* tables[3] = { &m_red, &m_green, &m_blue };
    for (int channel = 0; channel < 3; ++channel) {
        for (int cell = 0; cell < 64; ++cell) {
            for (int input = 0; input < 256; ++input) {
                const int v = gamma[std::size_t(channel)][std::size_t(input)];
                int level = v / 51;
                // Raised where the fraction lies strictly above the cell's threshold, so a
                // level that sits exactly on the cube is never dithered upwards.
                if ((v % 51) * 65 / 51 > kDitherMatrix[std::size_t(cell)])
                    ++level;
                (*tables[channel])[std::size_t(cell * 256 + input)] = std::uint8_t(weights[channel] * level);
            }
        }
    }
}

std::vector<Rgbq> gammaPalette(const Image& image, const std::array<GammaTable, 3>& gamma)
{
    std::vector<Rgbq> palette;
    for (const Rgbq& c : image.colorTable())
        palette.push_back(Rgbq { gamma[2][c.blue], gamma[1][c.green], gamma[0][c.red], 0 });
    return palette;
}

} // namespace gp
