#include "album/SlideFrame.h"

#include "image/Allocator.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gp {

Size fitSlide(Size picture, Size window)
{
    if (picture.width <= 0 || picture.height <= 0 || window.width <= 0 || window.height <= 0)
        return { 0, 0 };
    long long fw = std::min(picture.width, window.width);
    long long fh = std::min(picture.height, window.height);
    const long long w = picture.width, h = picture.height;
    if (w * fh < h * fw)
        fw = w * fh / h;
    else
        fh = h * fw / w;
    return { int(std::max(1LL, fw)), int(std::max(1LL, fh)) };
}

SlidePlacement placeSlide(Size picture, Size window)
{
    SlidePlacement p;
    p.fitted = fitSlide(picture, window);
    p.offset = { (window.width - p.fitted.width) / 2, (window.height - p.fitted.height) / 2 };
    const int right = p.offset.x + p.fitted.width;
    const int bottom = p.offset.y + p.fitted.height;
    for (const Rect& band : { Rect { 0, 0, window.width, p.offset.y }, Rect { 0, bottom, window.width, window.height },
             Rect { 0, p.offset.y, p.offset.x, bottom }, Rect { right, p.offset.y, window.width, bottom } })
        if (!band.isEmpty())
            p.bands.push_back(band);
    return p;
}

std::optional<Image> fitSlidePicture(
    const Image& picture, Size fitted, const std::array<GammaTable, 3>& gamma, const Allocator& allocator)
{
    auto out = allocator.image(fitted.width, fitted.height, 24);
    if (!out)
        return std::nullopt;
    const int bits = picture.bitsPerPixel();
    const int colors = picture.colorCount();
    std::vector<int> columns(static_cast<std::size_t>(fitted.width));
    for (int x = 0; x < fitted.width; ++x)
        columns[std::size_t(x)] = int(std::int64_t(x) * picture.width() / fitted.width);
    for (int y = 0; y < fitted.height; ++y) {
        const std::uint8_t* source = picture.row(int(std::int64_t(y) * picture.height() / fitted.height));
        std::uint8_t* target = out->row(y);
        for (const int sx : columns) {
            std::uint8_t b = 0, g = 0, r = 0;
            if (bits == 24) {
                b = source[3 * sx];
                g = source[3 * sx + 1];
                r = source[3 * sx + 2];
            } else {
                int index = 0;
                if (bits == 8)
                    index = source[sx];
                else if (bits == 4)
                    index = (source[sx / 2] >> ((sx % 2) ? 0 : 4)) & 0x0F;
                else
                    index = (source[sx / 8] >> (7 - sx % 8)) & 1;
                const Rgbq c = index < colors ? picture.color(index) : Rgbq {};
                b = c.blue;
                g = c.green;
                r = c.red;
            }
            *target++ = gamma[2][b];
            *target++ = gamma[1][g];
            *target++ = gamma[0][r];
        }
    }
    return out;
}

CaptionPlacement placeCaption(Size window)
{
    return { Rect { 0, 12, window.width, window.height }, Rect { 0, 10, window.width - 4, window.height } };
}

std::string unreadableSlideCaption(const std::string& path)
{
    return std::string(text(StringId::CannotOpenSlide)) + path;
}

void ImageSlideCanvas::copy(const Rect& source, Point target)
{
    const std::size_t bytes = 3 * std::size_t(source.width());
    for (int row = 0; row < source.height(); ++row) {
        const std::uint8_t* from = m_picture->row(source.top + row) + 3 * std::size_t(source.left);
        std::uint8_t* to = m_frame->row(m_offset.y + target.y + row) + 3 * std::size_t(m_offset.x + target.x);
        std::memcpy(to, from, bytes);
    }
    const Rect placed { m_offset.x + target.x, m_offset.y + target.y, m_offset.x + target.x + source.width(),
        m_offset.y + target.y + source.height() };
    if (placed.isEmpty())
        return;
    if (m_changed.isEmpty())
        m_changed = placed;
    else
        m_changed = { std::min(m_changed.left, placed.left), std::min(m_changed.top, placed.top),
            std::max(m_changed.right, placed.right), std::max(m_changed.bottom, placed.bottom) };
}

Rect ImageSlideCanvas::takeChanged()
{
    return std::exchange(m_changed, Rect {});
}

void fillBlack(Image& frame)
{
    auto pixels = frame.pixels();
    std::fill(pixels.begin(), pixels.end(), std::uint8_t(0));
}

} // namespace gp
