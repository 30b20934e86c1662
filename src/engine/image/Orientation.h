#pragma once
// Turning a picture upright from an orientation tag (1..8): the tag says how the stored rows must
// be mirrored and turned to be seen as the camera saw them. 2 mirrors left to right, 3 turns half
// round, 4 mirrors top to bottom, 5 transposes, 6 turns a quarter clockwise, 7 transposes across
// the other diagonal, 8 turns a quarter anticlockwise.

#include "image/Allocator.h"

#include <optional>

namespace gp {

inline constexpr int kOrientationNormal = 1;

// True for the tags 2..8, which change the picture.
bool orientationTurns(int orientation);

// The one tag that does what `first` and then `then` do together (tags outside 1..8 count as 1).
int composeOrientations(int first, int then);

// A new image holding the upright picture, with the same depth, colour table and (swapped where
// the picture turns a quarter) resolution; nothing when the allocator refuses the block (it has
// shown its message). Tag 1 and unknown tags give an unchanged copy.
std::optional<Image> orientImage(const Image& image, int orientation, const Allocator& allocator);

} // namespace gp
