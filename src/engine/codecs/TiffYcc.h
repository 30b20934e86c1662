#pragma once
// The camera maker's YCbCr rows: two pixels in four bytes (first luma, second luma, Cb, Cr).
// Expanded to the image's blue, green, red bytes; the right pixel of a pair takes the pair's
// chroma, the left one the mean of its pair's and the previous pair's (the first pair's own at
// the start of a row), which halves the blockiness of shared chroma.

#include <cstdint>
#include <span>

namespace gp {

// Bytes one stored row of `width` pixels takes: four per started pair.
inline std::size_t cameraYccRowSize(std::size_t width)
{
    return (width + 1) / 2 * 4;
}

// Expands `width` pixels from `pairs` (cameraYccRowSize(width) bytes) into `bgr` (3 × width bytes).
void expandCameraYccRow(std::span<const std::uint8_t> pairs, int width, std::uint8_t* bgr);

} // namespace gp
