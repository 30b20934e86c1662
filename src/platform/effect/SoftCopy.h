#pragma once
// A blurred copy of a picture made at reduced size: the picture is averaged down by a factor,
// blurred there with a small box blur, and read back at full size by bilinear interpolation.
// Wide blurs of large photos thus cost about as much as one pass over the photo.

#include "RgbPicture.h"

#include <cstdint>
#include <vector>

namespace gp::effect {

class SoftCopy {
public:
    // factor ≥ 1 is the reduction; radius the box blur's radius in reduced pixels (0: none),
    // applied twice for a rounder result. levels > 1 posterizes the reduced picture.
    SoftCopy(const RgbPicture& source, int factor, int radius, int levels = 0);

    // A full-size blur radius as a reduction and a small radius.
    static SoftCopy ofRadius(const RgbPicture& source, int fullRadius);

    // Calls combine(in, blurred, out) for every pixel, each a pointer to blue, green, red
    // (blurred to an int[3]).
    template <typename Combine>
    void combine(const RgbPicture& source, const RgbPicture& destination, Combine each) const;

    // Multiplies the saturation of the reduced picture by percent / 100.
    void saturate(int percent);

private:
    void blurRows(int radius);
    void blurColumns(int radius);

    int m_factor = 1;
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_pixels; // blue, green, red
};

template <typename Combine>
void SoftCopy::combine(const RgbPicture& source, const RgbPicture& destination, Combine each) const
{
    // Per column: the two reduced columns and the weight (0..256) of the second.
    std::vector<int> left(std::size_t(source.width)), right(std::size_t(source.width)), weight(std::size_t(source.width));
    for (int x = 0; x < source.width; ++x) {
        const double sx = std::max(0.0, (x + 0.5) / m_factor - 0.5);
        const int x0 = std::min(int(sx), m_width - 1);
        left[std::size_t(x)] = 3 * x0;
        right[std::size_t(x)] = 3 * std::min(x0 + 1, m_width - 1);
        weight[std::size_t(x)] = int((sx - x0) * 256);
    }
    const std::size_t stride = 3 * std::size_t(m_width);
    for (int y = 0; y < source.height; ++y) {
        const double sy = std::max(0.0, (y + 0.5) / m_factor - 0.5);
        const int y0 = std::min(int(sy), m_height - 1);
        const int y1 = std::min(y0 + 1, m_height - 1);
        const int wy = int((sy - y0) * 256);
        const std::uint8_t* top = m_pixels.data() + std::size_t(y0) * stride;
        const std::uint8_t* bottom = m_pixels.data() + std::size_t(y1) * stride;
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = destination.row(y);
        for (int x = 0; x < source.width; ++x, in += 3, out += 3) {
            const int l = left[std::size_t(x)];
            const int r = right[std::size_t(x)];
            const int wx = weight[std::size_t(x)];
            int blurred[3];
            for (int c = 0; c < 3; ++c) {
                const int upper = top[l + c] * (256 - wx) + top[r + c] * wx;
                const int lower = bottom[l + c] * (256 - wx) + bottom[r + c] * wx;
                blurred[c] = (upper * (256 - wy) + lower * wy) >> 16;
            }
            each(in, blurred, out);
        }
    }
}

} // namespace gp::effect
