#include "image/DisplayRender.h"

#include "image/Document.h"

#include <algorithm>
#include <vector>

namespace gp {

RenderMode chooseRenderMode(int screenDepth, int imageBitsPerPixel)
{
    if (screenDepth > 8 || (screenDepth == 8 && imageBitsPerPixel <= 8))
        return RenderMode::Native;
    if (screenDepth == 8)
        return RenderMode::Cube;
    return imageBitsPerPixel == 24 ? RenderMode::Corner24 : RenderMode::CornerIndexed;
}

DisplayRenderer::DisplayRenderer(
    const Image& image, int zoom, RenderMode mode, const std::array<GammaTable, 3>& gamma, const DitherTable* dither)
    : m_image(&image)
    , m_zoom(zoom)
    , m_mode(mode)
    , m_gamma(&gamma)
    , m_dither(dither)
    , m_zoomed { zoomedLength(image.width(), zoom), zoomedLength(image.height(), zoom) }
{
    // A 24-bit image never reaches the cube without its dither table; fall back to corners.
    if (m_mode == RenderMode::Cube && (!m_dither || image.bitsPerPixel() != 24))
        m_mode = image.bitsPerPixel() == 24 ? RenderMode::Corner24 : RenderMode::CornerIndexed;
    switch (m_mode) {
    case RenderMode::Native:
        m_rgbOutput = image.bitsPerPixel() == 24;
        if (!m_rgbOutput)
            m_palette = gammaPalette(image, gamma);
        break;
    case RenderMode::Cube: {
        const auto cube = cubePalette();
        m_palette.assign(cube.begin(), cube.end());
        break;
    }
    case RenderMode::Corner24:
    case RenderMode::CornerIndexed: {
        const auto corners = cornerPalette();
        m_palette.assign(corners.begin(), corners.end());
        for (const Rgbq& c : image.colorTable())
            m_indexToCorner.push_back(
                std::uint8_t(nearestCorner(gamma[0][c.red], gamma[1][c.green], gamma[2][c.blue])));
        break;
    }
    }
}

void DisplayRenderer::sourcePixel(
    const std::uint8_t* row, int x, std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red, int& index) const
{
    switch (m_image->bitsPerPixel()) {
    case 24:
        blue = row[3 * x];
        green = row[3 * x + 1];
        red = row[3 * x + 2];
        return;
    case 8: index = row[x]; break;
    case 4: index = (x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4; break;
    default: index = (row[x / 8] >> (7 - (x & 7))) & 1; break;
    }
    // An index beyond a short colour table shows as its first entry.
    if (index >= m_image->colorCount())
        index = 0;
}

void DisplayRenderer::renderRow(int y, int x0, int x1, std::span<std::uint8_t> out) const
{
    const std::uint8_t* source = m_image->row(std::min(sourceCoordinate(y, m_zoom), m_image->height() - 1));
    const auto& gamma = *m_gamma;
    const int lastColumn = m_image->width() - 1;
    std::uint8_t* o = out.data();
    for (int x = x0; x < x1; ++x) {
        std::uint8_t blue = 0, green = 0, red = 0;
        int index = 0;
        sourcePixel(source, std::min(sourceCoordinate(x, m_zoom), lastColumn), blue, green, red, index);
        switch (m_mode) {
        case RenderMode::Native:
            if (m_rgbOutput) {
                *o++ = gamma[2][blue];
                *o++ = gamma[1][green];
                *o++ = gamma[0][red];
            } else {
                *o++ = std::uint8_t(index);
            }
            break;
        case RenderMode::Cube: *o++ = m_dither->index(x, y, red, green, blue); break;
        case RenderMode::Corner24:
            *o++ = m_image->bitsPerPixel() == 24
                ? std::uint8_t(nearestCorner(gamma[0][red], gamma[1][green], gamma[2][blue]))
                : m_indexToCorner[std::size_t(index)];
            break;
        case RenderMode::CornerIndexed: *o++ = m_indexToCorner[std::size_t(index)]; break;
        }
    }
}

int DisplayRenderer::renderArea(Rect area, const std::function<bool()>& stop,
    const std::function<void(int, int, std::span<const std::uint8_t>)>& emit) const
{
    const Rect clipped { std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, m_zoomed.width),
        std::min(area.bottom, m_zoomed.height) };
    if (clipped.isEmpty())
        return clipped.bottom;
    std::vector<std::uint8_t> row(std::size_t(clipped.width()) * std::size_t(bytesPerPixel()));
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        if (stop && stop())
            return y;
        renderRow(y, clipped.left, clipped.right, row);
        emit(y, clipped.left, row);
    }
    return clipped.bottom;
}

} // namespace gp
