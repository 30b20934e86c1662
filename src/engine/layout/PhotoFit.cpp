#include "layout/PhotoFit.h"

namespace gp {

Rect photoBox(const Rect& cell, int percent)
{
    const int w = percent * cell.width() / 100, h = percent * cell.height() / 100;
    const int left = cell.left + (cell.width() - w) / 2, top = cell.top + (cell.height() - h) / 2;
    return {left, top, left + w, top + h};
}

Rect fitPhoto(const Rect& box, Size photo)
{
    if (photo.width <= 0 || photo.height <= 0)
        return box;
    long long w = box.width(), h = box.height();
    if (h * photo.width < w * photo.height)
        w = h * photo.width / photo.height;
    else
        h = w * photo.height / photo.width;
    // Centred in the box, which is itself centred in the cell.
    const int left = box.left + (box.width() - int(w)) / 2, top = box.top + (box.height() - int(h)) / 2;
    return {left, top, left + int(w), top + int(h)};
}

} // namespace gp
