#pragma once
// The layout categories of the layout screen and the order of the category list.

#include "shell/StringTable.h"

#include <string>
#include <vector>

namespace gp {

enum class LayoutCategory {
    Labels = 0,    // label sheets of lblspec.ini (and, with the one-size flag, the one-size grids)
    Mixed = 1,     // generated, every photo size
    Landscape = 2, // generated, sizes with width >= height
    Portrait = 3,  // generated, sizes with height >= width
    OneSize = 4,   // one-size grids
    MyTemplates = 5,
    FreeStyle = 6,
};

inline constexpr LayoutCategory kDefaultCategory = LayoutCategory::Landscape;

// The category's title ("Avery Labels", "Mixed Photos", ...).
StringId categoryTitle(LayoutCategory category);

// The six fixed entries of the category list, in list order; label prefixes follow them.
const std::vector<LayoutCategory>& fixedCategoryList();
inline constexpr int kFixedCategoryEntries = 6;

} // namespace gp
