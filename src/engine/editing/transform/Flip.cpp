#include "editing/transform/Flip.h"

#include "editing/PixelAccess.h"
#include "editing/ResultImage.h"
#include "editing/RowBands.h"

#include <cstring>

namespace gp {

namespace {

void mirrorNibbles(const std::uint8_t* src, std::uint8_t* dst, int width)
{
    const int bytes = (width + 1) / 2;
    if (width % 2 == 0) {
        // Whole bytes from the end, each with its two pixels exchanged.
        for (int i = 0; i < bytes; ++i) {
            const std::uint8_t b = src[bytes - 1 - i];
            dst[i] = std::uint8_t((b << 4) | (b >> 4));
        }
        return;
    }
    // Odd width: the last pixel is the high nibble of byte k, the one before it the low nibble
    // of byte k - 1. The first byte has no byte before it: its partner nibble is the zero pad.
    for (int i = 0, k = bytes - 1; k >= 0; ++i, --k) {
        const std::uint8_t low = k > 0 ? std::uint8_t(src[k - 1] & 0x0F) : 0;
        dst[i] = std::uint8_t((src[k] & 0xF0) | low);
    }
}

void mirrorBits(const std::uint8_t* src, std::uint8_t* dst, int width)
{
    std::uint8_t acc = 0;
    int out = 0;
    for (int x = 0; x < width; ++x) {
        const int s = width - 1 - x;
        acc = std::uint8_t((acc << 1) | ((src[s >> 3] >> (7 - (s & 7))) & 1));
        if ((x & 7) == 7) {
            dst[out++] = acc;
            acc = 0;
        }
    }
    if (width & 7)
        dst[out] = std::uint8_t(acc << (8 - (width & 7)));
}

} // namespace

void mirrorRow(const std::uint8_t* src, std::uint8_t* dst, int width, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 24: {
        const std::uint8_t* s = src + 3 * std::size_t(width - 1);
        for (int x = 0; x < width; ++x, s -= 3, dst += 3) {
            dst[0] = s[0];
            dst[1] = s[1];
            dst[2] = s[2];
        }
        break;
    }
    case 8:
        for (int x = 0; x < width; ++x)
            dst[x] = src[width - 1 - x];
        break;
    case 4: mirrorNibbles(src, dst, width); break;
    default: mirrorBits(src, dst, width); break;
    }
}

std::optional<Image> flipVertical(
    const Image& source, const Allocator& allocator, Interrupt interrupt, WorkerPool* workers)
{
    auto result = allocateLike(source, source.width(), source.height(), allocator);
    if (!result)
        return std::nullopt;
    const int height = source.height();
    const std::size_t rowSize = source.rowSize();
    PixelProgress progress(allocator.host(), height, interrupt);
    const bool whole = runRowBands(workers, height, progress, [&](int first, int end, auto&& beforeRow) {
        for (int r = first; r < end; ++r) {
            if (!beforeRow(r))
                return false;
            std::memcpy(result->storedRow(r), source.storedRow(height - 1 - r), rowSize);
        }
        return true;
    });
    if (!whole)
        return std::nullopt;
    return result;
}

std::optional<Image> flipHorizontal(
    const Image& source, const Allocator& allocator, Interrupt interrupt, WorkerPool* workers)
{
    auto result = allocateLike(source, source.width(), source.height(), allocator);
    if (!result)
        return std::nullopt;
    const int height = source.height();
    PixelProgress progress(allocator.host(), height, interrupt);
    const bool whole = runRowBands(workers, height, progress, [&](int first, int end, auto&& beforeRow) {
        for (int r = first; r < end; ++r) {
            if (!beforeRow(r))
                return false;
            mirrorRow(source.storedRow(r), result->storedRow(r), source.width(), source.bitsPerPixel());
        }
        return true;
    });
    if (!whole)
        return std::nullopt;
    return result;
}

} // namespace gp
