#pragma once
// The sample image the Before and After windows of the adjustment, filter and effect dialogs
// show. Without Pan Mode the whole source is scaled to fit the window's inner size (client size
// minus the one-pixel frame on each side), keeping its proportions; with Pan Mode the sample is
// a 1:1 crop of the inner size (limited to the source), centred at first and moved by drags,
// always inside the source. Scaling averages the covered source pixels of 24-bit and grayscale
// images and picks the nearest pixel of palette images, so the sample keeps the source's depth
// and palette. Nothing when the memory cannot be had.

#include "base/Geometry.h"
#include "image/Allocator.h"

#include <optional>

namespace gp {

// The inner size of a preview window: client size minus 2 in each direction, at least 1.
Size previewInnerSize(Size client);
// The size of the fitted sample: a source narrower than tall keeps the inner height, otherwise
// the inner width; the other side follows the source's proportions, rounded.
Size previewFitSize(Size source, Size inner);

// The Pan Mode crop: its size is the inner size limited to the source, its top-left corner (in
// picture coordinates, row 0 at the top) starts centred and stays inside the source.
class PanCrop {
public:
    PanCrop() = default;
    PanCrop(Size source, Size inner);

    Rect rect() const { return { m_origin.x, m_origin.y, m_origin.x + m_size.width, m_origin.y + m_size.height }; }
    // Moves the crop by a mouse movement, limited to the source.
    void drag(int dx, int dy);

private:
    Size m_source;
    Size m_size;
    Point m_origin;
};

std::optional<Image> fitSample(const Image& source, Size inner, const Allocator& allocator);
// The same at a given size (a dense screen's sample: the fitted size times its density).
std::optional<Image> fitSampleTo(const Image& source, Size size, const Allocator& allocator);
// Fills a sample of any size made with the source's depth and colour count (the page view's
// photo pictures use it too: a box reduction that reads each source byte once).
void fillSample(const Image& source, Image& sample);
std::optional<Image> cropSample(const Image& source, Rect crop, const Allocator& allocator);

} // namespace gp
