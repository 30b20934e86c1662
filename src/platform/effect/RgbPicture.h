#pragma once
// A 24-bit picture's rows as the effects see them: width, height and the row stride over the
// packed bitmap's bottom-up rows. Every effect treats the rows alike whatever their order.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace gp::effect {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::uint8_t* pixels = nullptr;

    std::uint8_t* row(int y) const { return pixels + std::size_t(y) * stride; }
};

struct PackedLayout {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::size_t pixelOffset = 0; // header and colour table
    std::size_t totalSize = 0;
};

// The layout of a packed bitmap that the effects can treat: a 40-byte header, 24 bits, no
// compression, a bottom-up picture of at most 1 GiB. Nothing otherwise.
std::optional<PackedLayout> packedLayout(const std::uint8_t* header);

} // namespace gp::effect
