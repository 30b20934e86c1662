#include "editing/workflow/FrameComposition.h"

#include "editing/ResultImage.h"

#include <algorithm>
#include <cmath>

namespace gp {

Rect frameWindow(Size frame, Size mask, Point offset)
{
    const int left = offset.x;
    const int bottom = frame.height - offset.y;
    return { left, bottom - mask.height, left + mask.width, bottom };
}

std::optional<Image> maskValues(const Image& mask, const Allocator& allocator)
{
    const int bits = mask.bitsPerPixel();
    if (bits != 8 && bits != 24)
        return std::nullopt;
    auto values = allocator.image(mask.width(), mask.height(), 8, 256);
    if (!values)
        return std::nullopt;
    for (int i = 0; i < 256; ++i)
        values->setColor(i, { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    std::uint8_t gray[256] = {};
    if (bits == 8) {
        const int colors = mask.colorCount();
        for (int i = 0; i < 256; ++i) {
            // An index past a short colour table reads as black, as the widening does.
            const Rgbq c = i < colors ? mask.color(i) : Rgbq {};
            gray[i] = std::uint8_t((c.red + c.green + c.blue) / 3);
        }
    }
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* in = mask.row(y);
        std::uint8_t* out = values->row(y);
        for (int x = 0; x < mask.width(); ++x)
            out[x] = bits == 8 ? gray[in[x]] : std::uint8_t((in[3 * x] + in[3 * x + 1] + in[3 * x + 2]) / 3);
    }
    return values;
}

namespace {

// The photo's colour at a position in its pixels (centres at .5), interpolated between the four
// nearest pixels; the position is known to lie on the photo.
void samplePhoto(const Image& photo, double sx, double sy, int rgb[3])
{
    const int w = photo.width();
    const int h = photo.height();
    sx = std::clamp(sx - 0.5, 0.0, double(w - 1));
    sy = std::clamp(sy - 0.5, 0.0, double(h - 1));
    const int x0 = int(sx);
    const int y0 = int(sy);
    const int x1 = std::min(x0 + 1, w - 1);
    const int y1 = std::min(y0 + 1, h - 1);
    const int fx = int((sx - x0) * 256);
    const int fy = int((sy - y0) * 256);
    const std::uint8_t* top = photo.row(y0);
    const std::uint8_t* bottom = photo.row(y1);
    for (int ch = 0; ch < 3; ++ch) {
        const int upper = top[3 * x0 + ch] * (256 - fx) + top[3 * x1 + ch] * fx;
        const int lower = bottom[3 * x0 + ch] * (256 - fx) + bottom[3 * x1 + ch] * fx;
        rgb[ch] = (upper * (256 - fy) + lower * fy + (1 << 15)) >> 16;
    }
}

} // namespace

std::optional<Image> composeFrame(const Image& frame, const Image& mask, Rect window, const Image& photo,
    const Placement& placement, const Allocator& allocator)
{
    if (frame.bitsPerPixel() != 24 || photo.bitsPerPixel() != 24 || mask.bitsPerPixel() != 8
        || mask.width() != window.width() || mask.height() != window.height())
        return std::nullopt;
    auto result = duplicate(frame, allocator);
    if (!result)
        return std::nullopt;
    const double det = placement.a * placement.d - placement.b * placement.c;
    if (std::abs(det) < 1e-12 || photo.width() <= 0 || photo.height() <= 0)
        return result;
    // The inverse placement: window position (from its centre) to photo position (from its centre).
    const double ia = placement.d / det;
    const double ib = -placement.b / det;
    const double ic = -placement.c / det;
    const double id = placement.a / det;
    const double cx = window.left + window.width() / 2.0;
    const double cy = window.top + window.height() / 2.0;
    const double halfW = photo.width() / 2.0;
    const double halfH = photo.height() / 2.0;

    const int y0 = std::max(window.top, 0);
    const int y1 = std::min(window.bottom, frame.height());
    const int x0 = std::max(window.left, 0);
    const int x1 = std::min(window.right, frame.width());
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* m = mask.row(y - window.top);
        std::uint8_t* out = result->row(y);
        const double fy = y + 0.5 - cy - placement.ty;
        for (int x = x0; x < x1; ++x) {
            const int weight = m[x - window.left];
            if (weight == 0)
                continue;
            const double fx = x + 0.5 - cx - placement.tx;
            const double sx = ia * fx + ib * fy + halfW;
            const double sy = ic * fx + id * fy + halfH;
            if (sx < 0 || sy < 0 || sx >= photo.width() || sy >= photo.height())
                continue;
            int rgb[3];
            samplePhoto(photo, sx, sy, rgb);
            for (int ch = 0; ch < 3; ++ch)
                out[3 * x + ch] = blendThroughMask(out[3 * x + ch], rgb[ch], weight);
        }
    }
    return result;
}

} // namespace gp
