#pragma once
// Pictures as plain top-down RGB for comparing our decodes with other programs': reading their
// PPM/PGM output, decoding any file through ImageMagick, and looking at an Image's pixels as RGB.

#include "image/Image.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace gp::test {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // top-down rows, 3 bytes a pixel (gray expanded)
    const std::uint8_t* at(int x, int y) const { return rgb.data() + (std::size_t(y) * width + x) * 3; }
};

// Reads a binary PPM (P6) or PGM (P5) file with a maximum value of 255.
std::optional<RgbPicture> readNetpbm(const std::filesystem::path& path);
// Converts any picture ImageMagick reads into an RGB picture.
std::optional<RgbPicture> decodeWithImageMagick(
    const std::filesystem::path& path, const std::filesystem::path& workDir);
// The image's pixels as RGB through its colour table, top row first.
RgbPicture toRgb(const Image& image);

// Number of channel values that differ by more than tolerance.
int countDifferences(const RgbPicture& a, const RgbPicture& b, int tolerance = 0);

} // namespace gp::test
