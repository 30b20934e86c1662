#include "Pictures.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace gp::test {

Image rgbPictureByStoredRow(int width, int height, const std::function<Bgr(int x, int i)>& colour)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.storedRow(y);
        for (int x = 0; x < width; ++x) {
            const Bgr c = colour(x, y);
            row[3 * x] = std::uint8_t(c.blue);
            row[3 * x + 1] = std::uint8_t(c.green);
            row[3 * x + 2] = std::uint8_t(c.red);
        }
    }
    return image;
}

Image grayPictureByStoredRow(int width, int height, const std::function<int(int x, int i)>& level)
{
    Image image = Image::create(width, height, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.storedRow(y)[x] = std::uint8_t(level(x, y));
    return image;
}

Image flatRgb(int width, int height, Bgr colour)
{
    return rgbPictureByStoredRow(width, height, [colour](int, int) { return colour; });
}

namespace {

int goldenLevel(int x, int y, int channel)
{
    const int dx = x - 23, dy = y - 17;
    const bool disc = dx * dx + dy * dy < 144;
    const int stripe = (x / 5 + y / 7) % 2 ? 40 : 0;
    const int texture = (x * 37 + y * 91 + channel * 53) % 23;
    const int base = disc ? 220 - 3 * channel * channel : (x * 4 + y * (channel + 1) * 3) % 200;
    return std::min(255, base + stripe + texture);
}

} // namespace

Image goldenRgb()
{
    return rgbPictureByStoredRow(61, 45, [](int x, int y) {
        return Bgr { std::uint8_t(goldenLevel(x, y, 0)), std::uint8_t(goldenLevel(x, y, 1)),
            std::uint8_t(goldenLevel(x, y, 2)) };
    });
}

Image goldenGray()
{
    return grayPictureByStoredRow(61, 45, [](int x, int y) { return goldenLevel(x, y, 1); });
}

Image randomImage(int width, int height, int bits, unsigned seed, Palette palette)
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

Image grayImage(int width, int height)
{
    Image image = Image::create(width, height, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    return image;
}

Bgr storedPixel(const Image& image, int x, int i)
{
    const std::uint8_t* p = image.storedRow(i) + 3 * x;
    return { p[0], p[1], p[2] };
}

int storedLevel(const Image& image, int x, int i)
{
    return image.storedRow(i)[x];
}

Bgr screenPixel(const Image& image, int x, int y)
{
    const std::uint8_t* p = image.row(y) + 3 * x;
    return { p[0], p[1], p[2] };
}

void setScreenPixel(Image& image, int x, int y, Bgr colour)
{
    std::uint8_t* p = image.row(y) + 3 * x;
    p[0] = std::uint8_t(colour.blue);
    p[1] = std::uint8_t(colour.green);
    p[2] = std::uint8_t(colour.red);
}

int screenIndex(const Image& image, int x, int y)
{
    return pixelIndex(image.row(y), x, image.bitsPerPixel());
}

int screenValue(const Image& image, int x, int y)
{
    if (image.bitsPerPixel() == 24) {
        const Bgr c = screenPixel(image, x, y);
        return c.blue | c.green << 8 | c.red << 16;
    }
    return screenIndex(image, x, y);
}

bool sameImage(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitsPerPixel() != b.bitsPerPixel())
        return false;
    const auto pa = a.packed();
    const auto pb = b.packed();
    return std::equal(pa.begin(), pa.end(), pb.begin(), pb.end());
}

bool samePixels(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitsPerPixel() != b.bitsPerPixel())
        return false;
    return std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin(), b.pixels().end());
}

std::uint64_t checksum(const Image& image)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (const std::uint8_t byte : image.packed()) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace gp::test
