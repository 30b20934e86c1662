#pragma once
// Turns an image into screen rows at any zoom and on screens of any depth. A paint converts only
// the rows and columns of its update area, one output row at a time, so a huge enlargement needs
// no full-size buffer; it stops between rows when asked (a mouse press) and reports how far it got.
//
// Mode 0 (deep screens, or 8-bit screens with an indexed image): the image's own colours, 24-bit
// pixels through the gamma tables, indexed images through a gamma-corrected palette.
// Mode 1 (8-bit screen, 24-bit image): cube indices by ordered dither.
// Modes 2 and 3 (screens of fewer bits): the nearest of the eight corner colours, from the pixel
// itself (24-bit) or from its colour-table entry (indexed).

#include "base/Geometry.h"
#include "image/DisplayPalette.h"
#include "image/Image.h"

#include <functional>
#include <span>

namespace gp {

enum class RenderMode { Native = 0, Cube = 1, Corner24 = 2, CornerIndexed = 3 };

RenderMode chooseRenderMode(int screenDepth, int imageBitsPerPixel);

// Source coordinate of an output coordinate: repeat on enlargement, every n-th on reduction.
inline int sourceCoordinate(int output, int zoom)
{
    return zoom >= 0 ? output / (zoom + 1) : output * (1 - zoom);
}

class DisplayRenderer {
public:
    // dither is needed for mode 1 only; the image, gamma tables and dither table must outlive
    // the renderer.
    DisplayRenderer(const Image& image, int zoom, RenderMode mode, const std::array<GammaTable, 3>& gamma,
        const DitherTable* dither);

    RenderMode mode() const { return m_mode; }
    // Output rows hold blue, green, red bytes (mode 0 with a 24-bit image) or one palette index
    // per pixel (every other case).
    bool rgbOutput() const { return m_rgbOutput; }
    int bytesPerPixel() const { return m_rgbOutput ? 3 : 1; }
    // The colours of the indices of an indexed output.
    const std::vector<Rgbq>& palette() const { return m_palette; }
    // The image's size on screen.
    Size zoomedSize() const { return m_zoomed; }

    // Fills output row y (counted from the top of the zoomed image) for columns x0..x1−1 into
    // out, which holds (x1 − x0) × bytesPerPixel() bytes. Columns and rows outside the zoomed
    // image are not allowed.
    void renderRow(int y, int x0, int x1, std::span<std::uint8_t> out) const;

    // Renders the part of the update area that falls on the image, top to bottom. Before each
    // row, stop() is asked; emit gets the row and its columns. Returns the first row not painted
    // (area.bottom when the paint ran to the end, clipped to the image).
    int renderArea(Rect area, const std::function<bool()>& stop,
        const std::function<void(int y, int x0, std::span<const std::uint8_t> row)>& emit) const;

private:
    void sourcePixel(
        const std::uint8_t* row, int x, std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red, int& index) const;

    const Image* m_image;
    int m_zoom;
    RenderMode m_mode;
    const std::array<GammaTable, 3>* m_gamma;
    const DitherTable* m_dither;
    bool m_rgbOutput = false;
    std::vector<Rgbq> m_palette;
    std::vector<std::uint8_t> m_indexToCorner; // mode 3: corner of each colour-table entry
    Size m_zoomed;
};

} // namespace gp
