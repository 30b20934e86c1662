#pragma once
// Shared by the gfx print tests: a Qt GUI application for fonts and PDF writing, a photo with
// four coloured quadrants, and the poppler tools that turn a PDF back into pixels.

#include "image/Image.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>

namespace gp::test {

inline const QColor kTopLeft { 200, 30, 30 };
inline const QColor kTopRight { 30, 200, 30 };
inline const QColor kBottomLeft { 30, 30, 200 };
inline const QColor kBottomRight { 220, 220, 40 };

// A 24-bit photo whose quadrants have the four colours above.
Image quadrantPhoto(int width, int height);

// Runs a program; its standard output, or nothing (and a test failure) when it failed.
std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments);

// The first page of a PDF rendered at dpi by pdftoppm.
QImage renderPdf(const std::filesystem::path& pdf, int dpi);

// True when a pixel is within a few levels of a colour (renderers round).
bool near(QRgb pixel, const QColor& color, int tolerance = 8);

} // namespace gp::test
