#include "image/Zoom.h"

#include "shell/CommandIds.h"

#include <algorithm>

namespace gp {

int fitZoom(Size image, Size usable)
{
    if (image.width <= 0 || image.height <= 0)
        return 0;
    const int z = std::min(usable.width / image.width, usable.height / image.height);
    if (z >= 1)
        return std::min(z - 1, kMaxEnlargement);
    const int w = std::max(usable.width, 16);
    const int h = std::max(usable.height, 16);
    if ((image.height - 1) / h < (image.width - 1) / w)
        return -((image.width - 1) / w);
    return -((image.height - 1) / h);
}

int limitZoom(int zoom, Size image, bool& limited)
{
    limited = false;
    const long long side = std::max(image.width, image.height);
    if (zoom <= 0 || side * (zoom + 1) <= kMaxZoomedSide)
        return zoom;
    limited = true;
    return std::max(int(kMaxZoomedSide / side) - 1, 0);
}

ZoomOutcome applyZoomCommand(int id, int currentZoom, Size image, Size usable)
{
    int zoom = currentZoom;
    if (id >= 200 && id <= 215)
        zoom = id - 200;
    else if (id >= 216 && id <= 231)
        zoom = 216 - id;
    else if (id == 232)
        zoom = std::min(currentZoom + 1, kMaxEnlargement);
    else if (id == 233)
        zoom = std::max(currentZoom - 1, kMaxReduction);
    else if (id == command::ZoomLast)
        zoom = fitZoom(image, usable);

    ZoomOutcome outcome;
    bool limited = false;
    outcome.zoom = limitZoom(zoom, image, limited);
    outcome.changed = outcome.zoom != currentZoom;
    outcome.beep = limited || !outcome.changed;
    return outcome;
}

int fullScreenZoom(int documentZoom, int offset, Size image)
{
    bool limited = false;
    return limitZoom(std::min(documentZoom + offset, kMaxEnlargement), image, limited);
}

} // namespace gp
