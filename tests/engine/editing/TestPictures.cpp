#include "TestPictures.h"

#include <cmath>

namespace gp::test {

Image rgbPicture(int width, int height, const std::function<Bgr(int x, int y)>& colour)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.storedRow(y);
        for (int x = 0; x < width; ++x) {
            const Bgr c = colour(x, y);
            row[3 * x] = c.blue;
            row[3 * x + 1] = c.green;
            row[3 * x + 2] = c.red;
        }
    }
    return image;
}

Image grayPicture(int width, int height, const std::function<int(int x, int y)>& level)
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
    return rgbPicture(width, height, [colour](int, int) { return colour; });
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
    return rgbPicture(61, 45, [](int x, int y) {
        return Bgr { std::uint8_t(goldenLevel(x, y, 0)), std::uint8_t(goldenLevel(x, y, 1)),
            std::uint8_t(goldenLevel(x, y, 2)) };
    });
}

Image goldenGray()
{
    return grayPicture(61, 45, [](int x, int y) { return goldenLevel(x, y, 1); });
}

Bgr pixelAt(const Image& image, int x, int y)
{
    const std::uint8_t* p = image.storedRow(y) + 3 * x;
    return { p[0], p[1], p[2] };
}

int levelAt(const Image& image, int x, int y)
{
    return image.storedRow(y)[x];
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
