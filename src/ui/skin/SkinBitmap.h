#pragma once
// Loads the interface's BMP pictures (bar backgrounds, screen backgrounds) for painting: the
// file header, then the packed bitmap, read through the bounds-checked packed-bitmap reader.
// A missing or damaged file gives a null picture, and the bar then paints without it.

#include <QImage>
#include <filesystem>

namespace gp::ui {

QImage loadSkinBitmap(const std::filesystem::path& path);

} // namespace gp::ui
