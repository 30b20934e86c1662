#pragma once
// One 8-bit sample plane of a Photo CD picture (luma or one chroma component) and the 2× interpolator
// the format is built on: every higher resolution is the level below doubled by this interpolator
// plus coded residuals, and chroma is doubled by it for display.

#include <cstdint>
#include <vector>

namespace gp::pcd {

struct Plane {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples; // width × height, rows top to bottom

    Plane() = default;
    Plane(int w, int h)
        : width(w)
        , height(h)
        , samples(std::size_t(w) * std::size_t(h))
    {
    }

    std::uint8_t at(int x, int y) const { return samples[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    std::uint8_t* row(int y) { return samples.data() + std::size_t(y) * std::size_t(width); }
    const std::uint8_t* row(int y) const { return samples.data() + std::size_t(y) * std::size_t(width); }
};

// Doubles both sizes: source pixels land on even positions, the pixels between them are the rounded
// mean of their two (or four) neighbours, and the last column and row repeat their neighbour.
Plane upsample(const Plane& source);

} // namespace gp::pcd
