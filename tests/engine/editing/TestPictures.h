#pragma once
// Synthetic pictures for the editing tests, built pixel by pixel so every test knows exactly
// what it starts from.

#include "image/Image.h"

#include <cstdint>
#include <functional>

namespace gp::test {

struct Bgr {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

// A 24-bit picture whose pixel at (x, stored row y) is colour(x, y).
Image rgbPicture(int width, int height, const std::function<Bgr(int x, int y)>& colour);
// A grayscale picture (gray ramp palette) whose pixel at (x, stored row y) is level(x, y).
Image grayPicture(int width, int height, const std::function<int(int x, int y)>& level);
Image flatRgb(int width, int height, Bgr colour);

// The fixed picture of the golden checksums: gradients, a disc and stripes, with texture.
Image goldenRgb();
Image goldenGray();

Bgr pixelAt(const Image& image, int x, int y); // stored row y
int levelAt(const Image& image, int x, int y); // stored row y, 8-bit images

// FNV-1a over the header, palette and pixel rows.
std::uint64_t checksum(const Image& image);

} // namespace gp::test
