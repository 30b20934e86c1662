#include "editing/transform/Rotate.h"

#include "editing/NearestIndex.h"
#include "editing/PixelAccess.h"
#include "editing/transform/QuarterTurn.h"
#include "editing/ResultImage.h"
#include "editing/RowBands.h"
#include "editing/PixelProgress.h"
#include "image/ImageType.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace gp {

namespace {

struct Turn {
    std::int64_t c = 0; // 65536 cos θ, rounded as the fixed-point steps expect
    std::int64_t s = 0; // 65536 sin θ
    int width = 0;
    int height = 0;
};

int normalised(int degrees)
{
    return ((degrees % 360) + 360) % 360;
}

Turn turnFor(int width, int height, int degrees)
{
    const double theta = degrees * 0.0174532925;
    Turn t;
    t.c = std::int64_t(65536.0 * std::cos(theta) + 0.5);
    t.s = std::int64_t(65536.0 * std::sin(theta) + 0.5);
    t.width = int((width * std::llabs(t.c) + height * std::llabs(t.s) + 32768) >> 16);
    t.height = int((width * std::llabs(t.s) + height * std::llabs(t.c) + 32768) >> 16);
    return t;
}

// The source position of destination pixel (k, j) in 1/131072 pixel, j counted in storage
// order, advanced by 2c and 2s per column.
struct RowStart {
    std::int64_t x;
    std::int64_t y;
};

RowStart rowStart(const Turn& t, std::int64_t srcWidth, std::int64_t srcHeight, int j)
{
    return { 65536 * srcWidth - t.c * t.width + t.s * t.height - 2 * t.s * j + 65536,
        65536 * srcHeight - t.c * t.height + 2 * t.c * j - t.s * t.width + 65536 };
}

template <int Channels>
void rotateRowSmooth(const Image& source, std::uint8_t* out, const Turn& t, RowStart start, const std::uint8_t* fill)
{
    const std::int64_t w = source.width();
    const std::int64_t h = source.height();
    const std::int64_t limitX = 131072 * w;
    const std::int64_t limitY = 131072 * h;
    const std::uint8_t* base = source.storedRow(0);
    const std::size_t stride = source.rowSize();
    std::int64_t sx = start.x;
    std::int64_t sy = start.y;
    for (int k = 0; k < t.width; ++k, sx += 2 * t.c, sy += 2 * t.s, out += Channels) {
        if (sx < 0 || sy < 0 || sx >= limitX || sy >= limitY) {
            std::memcpy(out, fill, Channels);
            continue;
        }
        const std::int64_t x = sx >> 17;
        const std::int64_t y = sy >> 17;
        const std::uint8_t* p = base + std::size_t(y) * stride + std::size_t(x) * Channels;
        if (y < h - 1 && x < w - 1) {
            const int fx = int(sx >> 14) & 7;
            const int fy = int(sy >> 14) & 7;
            const int w00 = (8 - fx) * (8 - fy), w10 = fx * (8 - fy), w01 = (8 - fx) * fy, w11 = fx * fy;
            const std::uint8_t* q = p + stride;
            for (int ch = 0; ch < Channels; ++ch)
                out[ch] = std::uint8_t(
                    (w00 * p[ch] + w10 * p[ch + Channels] + w01 * q[ch] + w11 * q[ch + Channels] + 32) >> 6);
        } else {
            std::memcpy(out, p, Channels);
        }
    }
}

void rotateRowNearest(const Image& source, std::uint8_t* out, const Turn& t, RowStart start, int fillIndex)
{
    const int bits = source.bitsPerPixel();
    const std::int64_t limitX = 131072 * std::int64_t(source.width());
    const std::int64_t limitY = 131072 * std::int64_t(source.height());
    std::int64_t sx = start.x;
    std::int64_t sy = start.y;
    for (int k = 0; k < t.width; ++k, sx += 2 * t.c, sy += 2 * t.s) {
        if (sx < 0 || sy < 0 || sx >= limitX || sy >= limitY) {
            setPixelIndex(out, k, bits, fillIndex);
            continue;
        }
        setPixelIndex(out, k, bits, pixelIndex(source.storedRow(int(sy >> 17)), int(sx >> 17), bits));
    }
}

} // namespace

Size rotatedSize(int width, int height, int clockwiseDegrees)
{
    const int a = normalised(clockwiseDegrees);
    if (a == 0 || a == 180)
        return { width, height };
    if (a == 90 || a == 270)
        return { height, width };
    const Turn t = turnFor(width, height, a);
    return { t.width, t.height };
}

std::optional<Image> rotateByAngle(
    const Image& source, int clockwiseDegrees, Rgb fill, const Allocator& allocator, RotationSubject subject,
    WorkerPool* workers)
{
    const Interrupt interrupt = subject == RotationSubject::Mask ? Interrupt::Never : Interrupt::ByEscape;
    const int a = normalised(clockwiseDegrees);
    if (a == 90 || a == 180 || a == 270)
        return rotateQuarterTurns(source, a, allocator, interrupt, workers);
    if (a == 0)
        return duplicate(source, allocator);

    const Turn t = turnFor(source.width(), source.height(), a);
    auto result = allocateLike(source, t.width, t.height, allocator);
    if (!result)
        return std::nullopt;

    const int bits = source.bitsPerPixel();
    const bool gray = bits == 8 && isGrayscale(&source);
    int fillIndex = 0;
    if (subject == RotationSubject::Picture && bits != 24)
        fillIndex = nearestPaletteIndex(source, fill) & ((1 << bits) - 1);
    const std::uint8_t fillBgr[3] = { std::uint8_t(fill.blue), std::uint8_t(fill.green), std::uint8_t(fill.red) };
    const std::uint8_t fillGray = std::uint8_t(fillIndex);

    PixelProgress progress(allocator.host(), t.height, interrupt);
    const bool whole = runRowBands(workers, t.height, progress, [&](int first, int end, auto&& beforeRow) {
        for (int j = first; j < end; ++j) {
            if (!beforeRow(j))
                return false;
            const RowStart start = rowStart(t, source.width(), source.height(), j);
            std::uint8_t* out = result->storedRow(j);
            if (bits == 24)
                rotateRowSmooth<3>(source, out, t, start, fillBgr);
            else if (gray)
                rotateRowSmooth<1>(source, out, t, start, &fillGray);
            else
                rotateRowNearest(source, out, t, start, fillIndex);
        }
        return true;
    });
    if (!whole)
        return std::nullopt;
    return result;
}

} // namespace gp
