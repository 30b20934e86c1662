#include "image/Document.h"

#include <algorithm>

namespace gp {

std::shared_ptr<Image> Document::replaceImage(std::shared_ptr<Image> image)
{
    std::swap(m_state.image, image);
    m_state.width = m_state.image->width();
    m_state.height = m_state.image->height();
    m_state.bitsOffset = int(m_state.image->bitsOffset());
    return image;
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
