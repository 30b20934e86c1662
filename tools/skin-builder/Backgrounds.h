#pragma once
// The backgrounds of the single-photo page, drawn with QPainter: soft gradients and patterns
// that leave the photo in the middle the main subject. Each is drawn for the portrait and the
// landscape page from the same recipe, so both orientations match.

#include <QImage>
#include <QString>
#include <vector>

namespace gp::skin {

struct BackgroundArt {
    QString name;     // the name the background list shows
    QString fileStem; // template/<stem>-port.jpg and template/<stem>-land.jpg
};

// The backgrounds in list order.
const std::vector<BackgroundArt>& backgroundArt();

// Background `index` of backgroundArt() at the given size.
QImage backgroundImage(std::size_t index, QSize size);

} // namespace gp::skin
