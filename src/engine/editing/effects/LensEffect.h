#pragma once
// The lens effects Fisheye, Cone and Sphere: inside the ellipse inscribed in the image every
// pixel takes the source pixel at its centred position scaled by a factor that depends on the
// radius index (see EllipseRadius.h), from a 512-entry table in units of 1/16384: Fisheye
// ρ^(0.0075·b), Cone 1/ρ^(0.003·b), Sphere (1 − 0.02·b) + 0.04·b·asin(√ρ)/(π·√ρ), with ρ = k/512.
// Pixels outside the ellipse are copied unchanged; Sphere at strength 0 changes nothing. Accepts
// 24-bit and grayscale images; nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <array>
#include <optional>

namespace gp {

// The variants carry the undo codes of their commands.
enum class LensKind { Fisheye = 1049, Cone = 1050, Sphere = 1051 };

std::array<int, 512> lensScaleTable(LensKind kind, int strength);

std::optional<Image> lensEffect(const Image& source, LensKind kind, int strength, const FilterRun& run);

} // namespace gp
