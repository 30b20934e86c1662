#pragma once
// What the reader needs of the HEIF container before and besides the decoding library. The
// container's own turn and mirror of its primary picture, read from the boxes: the
// primary item ('pitm'), its properties ('ipma' associations into 'ipco'), and of those the
// rotations ('irot') and mirrors ('imir') in the order they apply. The HEIF library applies
// them while decoding; this tells which orientation that amounted to.

#include <cstdint>
#include <span>

namespace gp {

// The orientation 1..8 the transforms amount to; 1 when there are none, or when the boxes are
// missing or damaged. Every box is checked against the bytes that hold it.
int heifContainerOrientation(std::span<const std::uint8_t> file);

// Whether every item's data, as the item locations ('iloc') give it, lies inside the bytes that
// hold it: the file, or the 'idat' box for data kept in the metadata. The decoding library sizes
// its buffers from these lengths before it looks at the data, so a damaged length must be caught
// first. True when the file has no item locations (the library then finds nothing to read).
bool heifItemDataInside(std::span<const std::uint8_t> file);

} // namespace gp
