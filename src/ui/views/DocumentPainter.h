#pragma once
// Paints a document's image through the engine's display renderer: only the rows and columns of
// the update area, one row at a time, in the rendering mode of the screen depth. A press of the
// left mouse button stops the paint; the caller repaints the rest later.

#include "image/DisplayRender.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>

namespace gp::ui {

struct DisplaySetup {
    int screenDepth = 24;
    const std::array<GammaTable, 3>* gamma = nullptr;
    const DitherTable* dither = nullptr; // present on screens of 8 bits or fewer
};

// Paints image at zoom with its top-left at origin, within update. Returns the part of update
// that was not painted (empty when the paint ran to the end).
QRect paintImage(QPainter& painter, const Image& image, int zoom, QPoint origin, QRect update,
    const DisplaySetup& setup, const std::function<bool()>& stop);

// The whole image rendered at its own size in the screen depth's mode, as a picture that paints
// at its size divided by density (a thumbnail made with twice the pixels paints at the stored
// thumbnail's size on a screen of ratio 2, pixel for pixel).
QImage renderedPicture(const Image& image, const DisplaySetup& setup, int density);

// The default stop test: the left mouse button is down.
bool leftButtonDown();

} // namespace gp::ui
