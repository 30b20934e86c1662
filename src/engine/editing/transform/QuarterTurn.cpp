#include "editing/transform/QuarterTurn.h"

#include "editing/transform/Flip.h"
#include "editing/PixelAccess.h"
#include "editing/ResultImage.h"
#include "editing/RowBands.h"

#include <algorithm>
#include <cstring>

namespace gp {

namespace {

// The turn works in tiles of 64 source rows by 128 destination rows: the source rows of a tile
// stay in the cache while its destination rows are written, so neither side is walked across
// the whole picture per pixel.
constexpr int kBand = 128;
constexpr int kChunk = 64;

template <int Bits>
void copyBand(const Image& source, Image& result, int firstRow, int rows, bool clockwise)
{
    const int srcWidth = source.width();
    const int srcHeight = source.height();
    const int dstWidth = result.width();
    std::uint8_t* dst[kBand];
    int column[kBand];
    for (int i = 0; i < rows; ++i) {
        const int y = firstRow + i;
        dst[i] = result.row(y);
        // 90: destination (x, y) = source (y, H-1-x); 270: source (W-1-y, x), rows from the top.
        column[i] = clockwise ? y : srcWidth - 1 - y;
    }
    const std::uint8_t* src[kChunk];
    for (int first = 0; first < dstWidth; first += kChunk) {
        const int n = std::min(kChunk, dstWidth - first);
        // Source picture row H-1-x is stored row x; picture row x is stored row H-1-x.
        for (int k = 0; k < n; ++k)
            src[k] = source.storedRow(clockwise ? first + k : srcHeight - 1 - (first + k));
        for (int i = 0; i < rows; ++i) {
            const int c = column[i];
            if constexpr (Bits == 24) {
                std::uint8_t* d = dst[i] + 3 * std::size_t(first);
                for (int k = 0; k < n; ++k)
                    std::memcpy(d + 3 * k, src[k] + 3 * std::size_t(c), 3);
            } else if constexpr (Bits == 8) {
                std::uint8_t* d = dst[i] + first;
                for (int k = 0; k < n; ++k)
                    d[k] = src[k][c];
            } else {
                for (int k = 0; k < n; ++k)
                    setPixelIndex(dst[i], first + k, Bits, pixelIndex(src[k], c, Bits));
            }
        }
    }
}

bool turnSideways(const Image& source, Image& result, bool clockwise, PixelProgress& progress, WorkerPool* workers)
{
    return runRowBands(workers, result.height(), progress, [&](int bandFirst, int bandEnd, auto&& beforeRow) {
        for (int first = bandFirst; first < bandEnd; first += kBand) {
            const int rows = std::min(kBand, bandEnd - first);
            for (int i = 0; i < rows; ++i)
                if (!beforeRow(first + i))
                    return false;
            switch (source.bitsPerPixel()) {
            case 24: copyBand<24>(source, result, first, rows, clockwise); break;
            case 8: copyBand<8>(source, result, first, rows, clockwise); break;
            case 4: copyBand<4>(source, result, first, rows, clockwise); break;
            default: copyBand<1>(source, result, first, rows, clockwise); break;
            }
        }
        return true;
    });
}

bool turnHalf(const Image& source, Image& result, PixelProgress& progress, WorkerPool* workers)
{
    const int height = source.height();
    return runRowBands(workers, height, progress, [&](int first, int end, auto&& beforeRow) {
        for (int r = first; r < end; ++r) {
            if (!beforeRow(r))
                return false;
            mirrorRow(source.storedRow(height - 1 - r), result.storedRow(r), source.width(), source.bitsPerPixel());
        }
        return true;
    });
}

} // namespace

std::optional<Image> rotateQuarterTurns(
    const Image& source, int clockwiseDegrees, const Allocator& allocator, Interrupt interrupt, WorkerPool* workers)
{
    if (clockwiseDegrees != 90 && clockwiseDegrees != 180 && clockwiseDegrees != 270)
        return std::nullopt;
    const bool half = clockwiseDegrees == 180;
    auto result = half ? allocateLike(source, source.width(), source.height(), allocator)
                       : allocateLike(source, source.height(), source.width(), allocator);
    if (!result)
        return std::nullopt;
    PixelProgress progress(allocator.host(), result->height(), interrupt);
    const bool done = half ? turnHalf(source, *result, progress, workers)
                           : turnSideways(source, *result, clockwiseDegrees == 90, progress, workers);
    if (!done)
        return std::nullopt;
    return result;
}

} // namespace gp
