#pragma once
// Small helpers shared by the filters and effects: the accepted image types, a blank result with
// the source's header and palette, the row job most of them run in, and clamping.

#include "editing/FilterRun.h"
#include "editing/RowBands.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace gp {

// Filters and effects accept 24-bit RGB and 8-bit grayscale images.
bool isFilterable(const Image& image);

// A zeroed image of the source's size, depth, palette and resolution; nothing (after the
// allocator's message) when the memory cannot be had.
std::optional<Image> blankLike(const Image& source, const Allocator& allocator);

// Copies the pixel rows unchanged, as the palette-only adjustments do: progress every 32 rows
// and the Escape test; false when the user pressed Escape.
bool copyPixelRows(const Image& source, Image& result, const FilterRun& run);

// Whether a row job's rows may be worked in any order on several threads, or must be worked in
// storage order on the calling thread (the effects that draw from the classic random generator,
// whose pictures depend on the order of the draws).
enum class RowOrder { Any, Sequential };

// The frame of a filter that writes its result row by row: nothing for a type that is not
// accepted; otherwise the wait cursor, a blank result like the source, and for each row the
// Escape test and the progress (shown every `every` rows) before fillRow(band, y, out) writes
// the result's row y; "Ready" at the end. Nothing on Escape or without memory. The rows are split
// into bands over the run's workers (with RowOrder::Any); makeBand() makes, once per band, the
// state a filter carries from row to row (a ring of source rows, running counts), so fillRow must
// write only its own row and change nothing shared but its band.
template <class MakeBand, class FillRow>
std::optional<Image> runBandJob(const Image& source, const FilterRun& run, RowOrder order, int every,
                                MakeBand&& makeBand, FillRow&& fillRow)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    FilterProgress progress(run, source.height(), 0, 100, every);
    WorkerPool* workers = order == RowOrder::Any ? run.workers : nullptr;
    const bool whole = runRowBands(workers, source.height(), progress, [&](int first, int end, auto&& beforeRow) {
        auto band = makeBand();
        for (int y = first; y < end; ++y) {
            if (!beforeRow(y))
                return false;
            fillRow(band, y, result->storedRow(y));
        }
        return true;
    });
    if (!whole)
        return std::nullopt;
    progress.finish();
    return result;
}

// The row job of a filter whose rows need nothing from each other: fillRow(y, out) writes the
// result's row y, with progress every 16 rows.
template <class FillRow>
std::optional<Image> runRowJob(const Image& source, const FilterRun& run, RowOrder order, FillRow&& fillRow)
{
    struct NoBand {};
    return runBandJob(
        source, run, order, 16, [] { return NoBand {}; },
        [&](NoBand&, int y, std::uint8_t* out) { fillRow(y, out); });
}

template <class FillRow>
std::optional<Image> runRowJob(const Image& source, const FilterRun& run, FillRow&& fillRow)
{
    return runRowJob(source, run, RowOrder::Any, std::forward<FillRow>(fillRow));
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
