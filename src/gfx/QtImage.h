#pragma once
// The one adapter between the engine's packed bitmaps and Qt's images.

#include "image/Image.h"

#include <QImage>
#include <optional>

namespace gp::gfx {

// An upright QImage that owns a copy of the pixels (indexed images keep their colour table).
QImage toQImage(const Image& image);

// A 24-bit packed bitmap of a QImage of any format; nothing for a null image or when the size
// exceeds the ceiling.
std::optional<Image> fromQImage(const QImage& image, std::size_t ceiling = kDefaultBlockCeiling);

} // namespace gp::gfx
