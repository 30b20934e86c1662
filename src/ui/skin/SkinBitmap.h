#pragma once
// Loads the interface's BMP pictures (bar backgrounds, screen backgrounds) for painting: the
// file header, then the packed bitmap, read through the bounds-checked packed-bitmap reader.
// A missing or damaged file gives a null picture, and the bar then paints without it. On a
// screen of device pixel ratio above 1 the 2x file is read when there is one, and the picture
// then carries its density as its device pixel ratio, so it paints at its window size.

#include <QImage>
#include <filesystem>

namespace gp::ui {

QImage loadSkinBitmap(const std::filesystem::path& path, qreal ratio = 1.0);

} // namespace gp::ui
