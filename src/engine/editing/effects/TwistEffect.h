#pragma once
// The twist effects Whirlpool and Spiral: inside the ellipse inscribed in the image every pixel
// takes the source pixel at its centred position turned by an angle that depends on the radius
// index (see EllipseRadius.h): Spiral θ = b·√ρ·0.125663706, Whirlpool θ = −b·(√ρ − 1)²·0.062831853,
// with cosine and sine tables in units of 1/16384. Pixels outside the ellipse are copied
// unchanged; Spiral at strength 0 changes nothing. Accepts 24-bit and grayscale images; nothing
// for other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <array>
#include <optional>

namespace gp {

// The variants carry the undo codes of their commands.
enum class TwistKind { Whirlpool = 1052, Spiral = 1053 };

struct TwistTables {
    std::array<int, 512> cosine {};
    std::array<int, 512> sine {};
};

TwistTables twistTables(TwistKind kind, int strength);

std::optional<Image> twistEffect(const Image& source, TwistKind kind, int strength, const FilterRun& run);

} // namespace gp
