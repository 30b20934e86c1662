#pragma once
// Pictures for the editing tests, built pixel by pixel so every test knows exactly what it
// starts from, and readers of single pixels.
//
// Row numbers come in two conventions, and every helper's name says which one it takes:
// - "stored" rows count as the bitmap keeps them, row 0 at the bottom (Image::storedRow);
// - "screen" rows count as the picture is seen, row 0 at the top (Image::row).

#include "editing/PixelAccess.h"
#include "image/Image.h"

#include <cstdint>
#include <functional>

namespace gp::test {

// One 24-bit pixel in the byte order of the rows.
struct Bgr {
    int blue = 0;
    int green = 0;
    int red = 0;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

// --- Building pictures ---

// A 24-bit picture whose pixel at (x, stored row i) is colour(x, i).
Image rgbPictureByStoredRow(int width, int height, const std::function<Bgr(int x, int i)>& colour);
// A grayscale picture (gray ramp palette) whose pixel at (x, stored row i) is level(x, i).
Image grayPictureByStoredRow(int width, int height, const std::function<int(int x, int i)>& level);
Image flatRgb(int width, int height, Bgr colour);

// The fixed picture of the golden checksums: gradients, a disc and stripes, with texture.
Image goldenRgb();
Image goldenGray();

enum class Palette { Gray, Random };

// A picture of random pixels at any depth (rows filled from the top) with a gray ramp or a
// random colour table; the same seed gives the same picture.
Image randomImage(int width, int height, int bits, unsigned seed, Palette palette = Palette::Random);
// An 8-bit picture with the gray ramp palette and all pixels 0.
Image grayImage(int width, int height);

// --- Reading and writing pixels ---

Bgr storedPixel(const Image& image, int x, int i); // 24-bit images
int storedLevel(const Image& image, int x, int i); // 8-bit images

Bgr screenPixel(const Image& image, int x, int y); // 24-bit images
void setScreenPixel(Image& image, int x, int y, Bgr colour);
int screenIndex(const Image& image, int x, int y); // palette images of any depth
// The value of pixel (x, screen row y) whatever the depth: the index, or
// blue | green << 8 | red << 16.
int screenValue(const Image& image, int x, int y);

// --- Comparing pictures ---

// Header fields, colour table and every byte of the rows, padding included.
bool sameImage(const Image& a, const Image& b);
// Size, depth and every byte of the rows (the header's resolution may differ).
bool samePixels(const Image& a, const Image& b);
// FNV-1a over the header, palette and pixel rows.
std::uint64_t checksum(const Image& image);

} // namespace gp::test
