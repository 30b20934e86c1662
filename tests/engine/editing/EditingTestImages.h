#pragma once
// Images for the editing tests: random pictures of every depth with zero row padding, and pixel
// readers by picture coordinates (top row 0).

#include "editing/PixelAccess.h"
#include "image/Image.h"

#include <cstdint>
#include <random>

namespace gp::test {

enum class Palette { Gray, Random };

inline Image randomImage(int width, int height, int bits, unsigned seed, Palette palette = Palette::Random)
{
    Image image = Image::create(width, height, bits).value();
    std::mt19937 random(seed);
    for (int i = 0; i < image.colorCount(); ++i) {
        if (palette == Palette::Gray)
            image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
        else
            image.setColor(i, Rgbq { std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random()), 0 });
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.row(y);
        if (bits == 24) {
            for (int x = 0; x < 3 * width; ++x)
                row[x] = std::uint8_t(random());
        } else {
            for (int x = 0; x < width; ++x)
                setPixelIndex(row, x, bits, int(random() % (1u << bits)));
        }
    }
    return image;
}

inline Image grayImage(int width, int height)
{
    Image image = Image::create(width, height, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    return image;
}

// Header fields, colour table and every byte of the rows, padding included.
inline bool sameImage(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitsPerPixel() != b.bitsPerPixel())
        return false;
    const auto pa = a.packed();
    const auto pb = b.packed();
    return std::equal(pa.begin(), pa.end(), pb.begin(), pb.end());
}

// Size, depth and every byte of the rows (the header's resolution may differ).
inline bool samePixels(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitsPerPixel() != b.bitsPerPixel())
        return false;
    return std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin(), b.pixels().end());
}

inline int indexAt(const Image& image, int x, int y)
{
    return pixelIndex(image.row(y), x, image.bitsPerPixel());
}

struct Bgr {
    int blue, green, red;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

inline Bgr bgrAt(const Image& image, int x, int y)
{
    const std::uint8_t* p = image.row(y) + 3 * x;
    return { p[0], p[1], p[2] };
}

inline void setBgr(Image& image, int x, int y, Bgr c)
{
    std::uint8_t* p = image.row(y) + 3 * x;
    p[0] = std::uint8_t(c.blue);
    p[1] = std::uint8_t(c.green);
    p[2] = std::uint8_t(c.red);
}

// The value of pixel (x, y) whatever the depth: the index, or blue | green << 8 | red << 16.
inline int valueAt(const Image& image, int x, int y)
{
    if (image.bitsPerPixel() == 24) {
        const Bgr c = bgrAt(image, x, y);
        return c.blue | c.green << 8 | c.red << 16;
    }
    return indexAt(image, x, y);
}

} // namespace gp::test
