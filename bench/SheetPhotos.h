#pragma once
// Photos for the label-sheet benchmarks: any number of different 6000 × 4000 24-bit pictures,
// each with its own smooth colour waves and grain, so no two cells of a sheet share pixels and
// every run of the benchmark sees the same ones.

#include "image/Image.h"

namespace gp::bench {

inline constexpr int kSheetPhotoWidth = 6000;
inline constexpr int kSheetPhotoHeight = 4000;

// Photo number index (0, 1, 2, ...) of the series.
Image sheetPhoto(int index);

} // namespace gp::bench
