#pragma once
// The standard photo sizes the layout generator packs, in whole inches, largest first: the
// generator tries them in this order, so larger photos are preferred.

#include "base/Geometry.h"

#include <array>

namespace gp {

inline constexpr std::array<Size, 32> kPhotoSizeTable = {{
    {10, 8}, {8, 10}, {8, 8}, {10, 6}, {6, 10}, {9, 6}, {6, 9}, {7, 7}, {8, 6}, {6, 8}, {6, 6},
    {7, 5},  {5, 7},  {5, 5}, {6, 4},  {4, 6},  {6, 3}, {3, 6}, {4, 4}, {5, 3}, {3, 5}, {4, 3},
    {3, 4},  {3, 3},  {4, 2}, {2, 4},  {3, 2},  {2, 3}, {2, 2}, {2, 1}, {1, 2}, {1, 1},
}};

} // namespace gp
