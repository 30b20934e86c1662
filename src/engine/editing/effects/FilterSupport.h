#pragma once
// Small helpers shared by the filters and effects: the accepted image types, a blank result with
// the source's header and palette, the row job most of them run in, and clamping.

#include "editing/FilterRun.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace gp {

// Filters and effects accept 24-bit RGB and 8-bit grayscale images.
bool isFilterable(const Image& image);

// A zeroed image of the source's size, depth, palette and resolution; nothing (after the
// allocator's message) when the memory cannot be had.
std::optional<Image> blankLike(const Image& source, const Allocator& allocator);

// Copies the pixel rows unchanged, as the palette-only adjustments do: progress every 32 rows
// and the Escape test; false when the user pressed Escape.
bool copyPixelRows(const Image& source, Image& result, const FilterRun& run);

// The frame of a filter that writes its result row by row: nothing for a type that is not
// accepted; otherwise the wait cursor, a blank result like the source, and for each row (storage
// order) the Escape test and the progress before fillRow(y, out) writes the result's row y;
// "Ready" at the end. Nothing on Escape or without memory.
template <class FillRow>
std::optional<Image> runRowJob(const Image& source, const FilterRun& run, FillRow&& fillRow)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    FilterProgress progress(run, source.height());
    for (int y = 0; y < source.height(); ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        fillRow(y, result->storedRow(y));
    }
    progress.finish();
    return result;
}

// Bytes per pixel of a filterable image: 3 or 1.
inline int channelsOf(const Image& image)
{
    return image.bitsPerPixel() / 8;
}

inline int clampInt(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}
inline std::uint8_t clampByte(int value)
{
    return static_cast<std::uint8_t>(clampInt(value, 0, 255));
}

} // namespace gp
