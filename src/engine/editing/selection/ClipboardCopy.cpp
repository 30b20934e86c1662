#include "editing/selection/ClipboardCopy.h"

#include "editing/selection/FillOutsideMask.h"

namespace gp {

void ClipboardCopy::set(Image image, std::optional<Image> mask, bool selectionShown)
{
    m_image = std::move(image);
    m_mask = std::move(mask);
    m_selectionShown = selectionShown;
}

void ClipboardCopy::clear()
{
    m_image.reset();
    m_mask.reset();
    m_selectionShown = false;
}

std::optional<Image> ClipboardCopy::render(Rgb fill) const
{
    if (!m_image)
        return std::nullopt;
    Image copy = m_image->clone();
    if (m_mask)
        fillOutsideMask(copy, *m_mask, MaskSide::Outside, fill);
    return copy;
}

} // namespace gp
