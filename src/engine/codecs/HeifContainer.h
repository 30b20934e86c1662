#pragma once
// The HEIF container's own turn and mirror of its primary picture, read from the boxes: the
// primary item ('pitm'), its properties ('ipma' associations into 'ipco'), and of those the
// rotations ('irot') and mirrors ('imir') in the order they apply. The HEIF library applies
// them while decoding; this tells which orientation that amounted to.

#include <cstdint>
#include <span>

namespace gp {

// The orientation 1..8 the transforms amount to; 1 when there are none, or when the boxes are
// missing or damaged. Every box is checked against the bytes that hold it.
int heifContainerOrientation(std::span<const std::uint8_t> file);

} // namespace gp
