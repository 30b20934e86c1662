#include "image/Document.h"

#include <algorithm>

namespace gp {

std::shared_ptr<Image> Document::replaceImage(std::shared_ptr<Image> image)
{
    if (!image || image == m_state.image)
        return nullptr;
    // The picture changes inside the same handle, so the photo slots that share it show the
    // new picture; the old one comes back in a handle of its own for the undo record.
    auto old = std::make_shared<Image>(std::move(*m_state.image));
    *m_state.image = std::move(*image);
    m_state.width = m_state.image->width();
    m_state.height = m_state.image->height();
    m_state.bitsOffset = int(m_state.image->bitsOffset());
    return old;
}

int initialZoom(int width, int height)
{
    return -std::max(height / 321, width / 321);
}

int zoomedLength(int length, int zoom)
{
    return zoom >= 0 ? length * (zoom + 1) : length / (1 - zoom);
}

} // namespace gp
